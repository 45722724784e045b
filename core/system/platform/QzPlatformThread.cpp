// QzPlatformThread.cpp: sysconf and pthread_setname_np.
#include "system/platform/QzPlatformThread.h"

#include <cstring>

#include <pthread.h>
#include <unistd.h>

namespace qzplatform {

unsigned int ProcessorCount()
{
    long const count = ::sysconf(_SC_NPROCESSORS_ONLN);
    return count > 0 ? (unsigned int)count : 1u;
}

void SetCurrentThreadName(char const* name)
{
    if (name == nullptr)
        return;
    char cut[16];
    std::strncpy(cut, name, sizeof cut - 1);
    cut[sizeof cut - 1] = '\0';
    ::pthread_setname_np(::pthread_self(), cut);
}

} // namespace qzplatform
