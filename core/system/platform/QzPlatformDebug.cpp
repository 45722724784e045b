// QzPlatformDebug.cpp: a debugger shows up as a non-zero TracerPid in
// /proc/self/status.
#include "system/platform/QzPlatformDebug.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace qzplatform {

bool IsDebuggerAttached()
{
    std::FILE* status = std::fopen("/proc/self/status", "r");
    if (status == nullptr)
        return false;
    bool attached = false;
    char line[256];
    while (std::fgets(line, sizeof line, status) != nullptr)
    {
        if (std::strncmp(line, "TracerPid:", 10) == 0)
        {
            attached = std::atol(line + 10) != 0;
            break;
        }
    }
    std::fclose(status);
    return attached;
}

void DebugOutput(char const* text)
{
    // asked once: reading /proc for every line would cost more than the line
    static std::atomic<int> s_attached(-1);
    int attached = s_attached.load(std::memory_order_relaxed);
    if (attached < 0)
    {
        attached = IsDebuggerAttached() ? 1 : 0;
        s_attached.store(attached, std::memory_order_relaxed);
    }
    if (attached != 0)
        std::fputs(text, stderr);
}

} // namespace qzplatform
