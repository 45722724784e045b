// QzThreadCount.h: counts this process's worker threads (named "QzWorker...")
// to see them start and leave; the sanitizers' own threads do not count.
#ifndef QZCORE_TESTS_QZTHREADCOUNT_H
#define QZCORE_TESTS_QZTHREADCOUNT_H

#include <chrono>
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

// Polls for count worker threads; the bound (about 10 s) only catches one that never comes or goes.
inline bool AwaitWorkerThreads(std::size_t count)
{
    for (int i = 0; i < 10000 && CountWorkerThreads() != count; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return CountWorkerThreads() == count;
}

} // namespace qztest

#endif // QZCORE_TESTS_QZTHREADCOUNT_H
