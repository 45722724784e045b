// QzThreadCount.h: the number of worker threads in this process (threads
// named "QzWorker..."), to see them start and leave. Other threads are not
// counted: sanitizers start threads of their own.
#ifndef QZCORE_TESTS_QZTHREADCOUNT_H
#define QZCORE_TESTS_QZTHREADCOUNT_H

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace qztest {

inline std::size_t CountWorkerThreads()
{
    std::size_t count = 0;
    std::error_code ignored; // a thread may leave while the list is read
    for (auto const& entry : std::filesystem::directory_iterator("/proc/self/task", ignored))
    {
        std::string name;
        std::getline(std::ifstream(entry.path() / "comm"), name);
        count += name.rfind("QzWorker", 0) == 0 ? 1 : 0;
    }
    return count;
}

// Polls until the process has count worker threads. The bound of about ten
// seconds only turns a thread that never comes or leaves into a failure.
inline bool AwaitWorkerThreads(std::size_t count)
{
    for (int i = 0; i < 10000 && CountWorkerThreads() != count; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return CountWorkerThreads() == count;
}

} // namespace qztest

#endif // QZCORE_TESTS_QZTHREADCOUNT_H
