// QzWorkerManager.cpp: the worker threads, pushing work units and the
// completion waits.
#include "system/QzWorkerManager.h"

#include "system/QzThread.h"

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

// ---- worker threads ----

namespace {

// Wakes an idle worker. Pushers queue under the lock, so a worker that
// finds its ring empty under the lock cannot miss the unit that follows.
struct SWakeSignal
{
    std::mutex lock;
    std::condition_variable wake;
};

} // namespace

struct CQzWorkerManager::SThreads
{
    explicit SThreads(unsigned int count) : shares(1), nextWorker(0), stopping(false), signals(new SWakeSignal[count]) {}

    std::atomic<unsigned int> shares;
    std::atomic<unsigned int> nextWorker;
    std::atomic<bool> stopping;
    std::unique_ptr<SWakeSignal[]> signals;
    std::vector<std::thread> threads;
};

namespace {

// The manager whose worker the current thread is, if any: a worker must not
// wait on a full ring, which only workers empty.
thread_local void const* t_workerOf = nullptr;

void RunUnit(CQzWorkerManager::SWorkerQueue& worker, CQzWorkerManager::SWorkUnit const& unit)
{
    unit.function(unit.argument);
    worker.tagCompleted[unit.tag].fetch_add(1, std::memory_order_release);
    worker.unitsCompleted.fetch_add(1, std::memory_order_release);
}

void WaitUntilEqual(std::atomic<unsigned int> const& pushed, std::atomic<unsigned int> const& completed)
{
    // a pure spin: these waits are for short stretches at batch ends
    while (pushed.load(std::memory_order_acquire) != completed.load(std::memory_order_acquire))
    {
    }
}

} // namespace

// Runs the units of one worker until the manager stops and the ring is
// drained.
void CQzWorkerManager::WorkerLoop(SThreads* threads, SWorkerQueue* worker, unsigned int index)
{
    SWakeSignal* const signal = &threads->signals[index];
    t_workerOf = threads;
    char name[16];
    std::snprintf(name, sizeof name, "QzWorker%u", index);
    QzSetCurrentThreadName(name);

    SWorkUnit unit;
    for (;;)
    {
        if (worker->queue.Pop(unit))
        {
            RunUnit(*worker, unit);
            continue;
        }
        std::unique_lock<std::mutex> lock(signal->lock);
        if (!worker->queue.IsEmpty())
            continue;
        // the ring is drained before a stopping worker leaves
        if (threads->stopping.load(std::memory_order_acquire))
            return;
        signal->wake.wait(lock);
    }
}

// ---- construction and shutdown ----

CQzWorkerManager::SWorkerQueue::SWorkerQueue() : unitsPushed(0), unitsCompleted(0)
{
    for (unsigned int tag = 0; tag < e_tagCount; ++tag)
    {
        tagPushed[tag].store(0, std::memory_order_relaxed);
        tagCompleted[tag].store(0, std::memory_order_relaxed);
    }
}

CQzWorkerManager::CQzWorkerManager() : CQzWorkerManager(QzGetProcessorCount()) {}

CQzWorkerManager::CQzWorkerManager(unsigned int workerCount)
    : m_workerCount(workerCount), m_pWorkers(nullptr), m_pThreads(nullptr)
{
    Start();
}

CQzWorkerManager::CQzWorkerManager(CQzWorkerManager const& other)
    : m_workerCount(other.m_workerCount), m_pWorkers(other.m_pWorkers), m_pThreads(other.m_pThreads)
{
    m_pThreads->shares.fetch_add(1, std::memory_order_relaxed);
}

CQzWorkerManager& CQzWorkerManager::operator=(CQzWorkerManager const& other)
{
    if (m_pThreads != other.m_pThreads)
    {
        other.m_pThreads->shares.fetch_add(1, std::memory_order_relaxed);
        Leave();
        m_workerCount = other.m_workerCount;
        m_pWorkers = other.m_pWorkers;
        m_pThreads = other.m_pThreads;
    }
    return *this;
}

CQzWorkerManager::~CQzWorkerManager()
{
    Leave();
}

void CQzWorkerManager::Start()
{
    m_pThreads = new SThreads(m_workerCount);
    if (m_workerCount == 0)
        return;
    m_pWorkers = new SWorkerQueue[m_workerCount];
    m_pThreads->threads.reserve(m_workerCount);
    for (unsigned int i = 0; i < m_workerCount; ++i)
        m_pThreads->threads.emplace_back(WorkerLoop, m_pThreads, &m_pWorkers[i], i);
}

// Drops this manager's share; the last one stops and joins the workers.
void CQzWorkerManager::Leave()
{
    if (m_pThreads->shares.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    m_pThreads->stopping.store(true, std::memory_order_release);
    for (unsigned int i = 0; i < m_workerCount; ++i)
    {
        std::lock_guard<std::mutex> lock(m_pThreads->signals[i].lock);
        m_pThreads->signals[i].wake.notify_one();
    }
    for (std::thread& thread : m_pThreads->threads)
        thread.join();
    delete[] m_pWorkers;
    delete m_pThreads;
}

// ---- pushing ----

void CQzWorkerManager::PushWorkUnit(WorkFunction function, void* argument, QzWorkerUnitTag tag)
{
    if (m_workerCount == 0)
    {
        function(argument);
        return;
    }
    unsigned int const index = m_pThreads->nextWorker.fetch_add(1, std::memory_order_relaxed) % m_workerCount;
    SWorkerQueue& worker = m_pWorkers[index];
    SWakeSignal& signal = m_pThreads->signals[index];
    SWorkUnit const unit = {function, argument, unsigned(tag) % e_tagCount};

    std::unique_lock<std::mutex> lock(signal.lock);
    while (worker.queue.IsFull())
    {
        if (t_workerOf == m_pThreads)
        {
            lock.unlock();
            worker.tagPushed[unit.tag].fetch_add(1, std::memory_order_release);
            worker.unitsPushed.fetch_add(1, std::memory_order_release);
            RunUnit(worker, unit);
            return;
        }
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
    }
    worker.tagPushed[unit.tag].fetch_add(1, std::memory_order_release);
    worker.unitsPushed.fetch_add(1, std::memory_order_release);
    worker.queue.Push(unit);
    lock.unlock();
    signal.wake.notify_one();
}

// ---- completion waits ----

void CQzWorkerManager::WaitForAllCompletion() const
{
    for (unsigned int i = 0; i < m_workerCount; ++i)
        WaitUntilEqual(m_pWorkers[i].unitsPushed, m_pWorkers[i].unitsCompleted);
}

void CQzWorkerManager::WaitForTagCompletion(QzWorkerUnitTag tag) const
{
    unsigned int const slot = unsigned(tag) % e_tagCount;
    for (unsigned int i = 0; i < m_workerCount; ++i)
        WaitUntilEqual(m_pWorkers[i].tagPushed[slot], m_pWorkers[i].tagCompleted[slot]);
}
