// QzPlatformClock.h: the high-resolution counter, the wall clock of the log
// time stamps and short sleeps (internal, never installed).
#ifndef QZCORE_SYSTEM_PLATFORM_QZPLATFORMCLOCK_H
#define QZCORE_SYSTEM_PLATFORM_QZPLATFORMCLOCK_H

namespace qzplatform {

// The monotonic counter in ticks of 100 ns.
long long ReadCounter();

// Ticks per second of ReadCounter.
constexpr long long kCounterFrequency = 10000000;

struct SLocalTime
{
    int hour;
    int minute;
    int second;
};

// The local time of day now.
SLocalTime ReadLocalTime();

// Gives up the processor for about the given number of milliseconds.
void SleepMilliseconds(unsigned int milliseconds);

} // namespace qzplatform

#endif // QZCORE_SYSTEM_PLATFORM_QZPLATFORMCLOCK_H
