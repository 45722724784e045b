// QzThreadCount.h: the number of threads in this process, to see worker
// threads start and leave.
#ifndef QZCORE_TESTS_QZTHREADCOUNT_H
#define QZCORE_TESTS_QZTHREADCOUNT_H

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <thread>

namespace qztest {

inline std::size_t CountThreads()
{
    std::size_t count = 0;
    for (auto const& entry : std::filesystem::directory_iterator("/proc/self/task"))
        count += entry.is_directory() ? 1 : 0;
    return count;
}

// Polls until the process has count threads. The bound of about ten
// seconds only turns a thread that never leaves into a failure, not a hang.
inline bool AwaitThreadCount(std::size_t count)
{
    for (int i = 0; i < 10000; ++i)
    {
        if (CountThreads() == count)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return CountThreads() == count;
}

} // namespace qztest

#endif // QZCORE_TESTS_QZTHREADCOUNT_H
