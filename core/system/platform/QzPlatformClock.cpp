// QzPlatformClock.cpp: CLOCK_MONOTONIC counter, local time, sleeps.
#include "system/platform/QzPlatformClock.h"

#include <ctime>

#include <time.h>

namespace qzplatform {

long long ReadCounter()
{
    timespec now;
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * kCounterFrequency + now.tv_nsec / 100;
}

SLocalTime ReadLocalTime()
{
    std::time_t const now = std::time(nullptr);
    std::tm local = {};
    ::localtime_r(&now, &local);
    return SLocalTime{local.tm_hour, local.tm_min, local.tm_sec};
}

void SleepMilliseconds(unsigned int milliseconds)
{
    timespec request;
    request.tv_sec = milliseconds / 1000;
    request.tv_nsec = long(milliseconds % 1000) * 1000000L;
    // an interrupted sleep goes on for the time that remains
    while (::nanosleep(&request, &request) != 0)
    {
    }
}

} // namespace qzplatform
