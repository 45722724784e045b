// QzWorkerManager.cpp: the worker threads, pushing work units, the
// completion waits and shutdown.
//
// Counters. Each counter has one writer at a time. The pushed counters of a
// record are incremented under that record's push lock by the thread that
// queues a unit on it; the completed counters only by the record's own
// worker, after the unit has run. A worker whose push meets a full ring
// queues the unit on its own ring instead, and when that is full too runs
// it at once, counted as pushed and completed on its own record: workers
// never wait for each other and never complete on another worker's record.
//
// Waits. A unit is counted as pushed before it can run, so on every record
// the units counted as completed are always among those counted as pushed.
// A waiter loads completed first and pushed second: when both read n, the
// pushed units it saw (every unit pushed before the wait began among them)
// are exactly the n completed ones, and the acquire load of completed makes
// their results visible. Loading pushed first is wrong: a stale pushed
// count can meet a newer completed count that includes units pushed later
// (and run out of ring order) while an older unit is still queued.
// One walk over the workers can still pass a worker before a running unit
// pushes to it, so the walk is repeated until two walks in a row see the
// same pushed counts. Then every unit seen by the first walk had run before
// the second began, so anything it pushed was seen by the second; as the
// counts did not move, the first walk saw it too, and it has run as well.
// (The counts are compared as a sum: they only grow, and fewer than 2^32
// units are pushed during one walk, so an equal sum means equal counts.)
//
// Shutdown. `outstanding` counts the units pushed and not yet run over all
// workers. Every push raises it before the unit is queued, and a unit's own
// count drops only after its function returned, so while any unit is queued
// or running, or is being pushed by a unit, it is above zero. Once the last
// sharing manager is gone only units can push. So when it reaches zero
// after that moment, nothing is queued or running and nothing can be pushed
// again: only then are the workers told to stop, and a stopping worker
// still empties its ring first. Nothing pushed is ever dropped. The two
// sides that can see that moment (the leaving manager storing `released`
// then loading `outstanding`, a worker dropping `outstanding` then loading
// `released`) use sequentially consistent operations, so at least one of
// them sees the other's write and stops the workers. A pusher queues and
// wakes under the worker's lock, which that worker takes again before it
// leaves, so the shared state is never freed under a pusher.
#include "system/QzWorkerManager.h"

#include "system/QzLog.h"
#include "system/QzThread.h"
#include "system/internal/QzWorkerStartTestHook.h"

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace {

// A worker's push lock, which also guards its wake-up: pushers queue under
// it, so a worker that finds its ring empty under it cannot miss the unit
// that follows.
struct SWakeSignal
{
    std::mutex lock;
    std::condition_variable wake;
};

} // namespace

struct CQzWorkerManager::SThreads
{
    SThreads(unsigned int workerCount, SWorkerQueue* records)
        : count(workerCount), shares(1), nextWorker(0), outstanding(0), released(false), stopping(false), left(0),
          selfFreeing(false), workers(records), signals(new SWakeSignal[workerCount])
    {
    }

    void Push(SWorkUnit const& unit);
    bool TryQueue(unsigned int index, SWorkUnit const& unit);
    void QueueWhenRoom(unsigned int index, SWorkUnit const& unit);
    void Run(unsigned int index, SWorkUnit const& unit);
    void Stop();
    void Loop(unsigned int index);

    // worker threads running; settled before any manager can be released
    unsigned int count;
    std::atomic<unsigned int> shares;      // managers sharing these workers
    std::atomic<unsigned int> nextWorker;  // round-robin choice of a worker
    std::atomic<unsigned int> outstanding; // units pushed and not yet run
    std::atomic<bool> released;            // the last sharing manager is gone
    std::atomic<bool> stopping;            // released and nothing outstanding
    std::atomic<unsigned int> left;        // workers out of their loop
    // set by a manager released inside a unit, before that unit ends (so
    // before any worker can read it): the last worker out frees everything
    bool selfFreeing;
    SWorkerQueue* workers;
    std::unique_ptr<SWakeSignal[]> signals;
    std::vector<std::thread> threads;
};

namespace {

// The workers the current thread belongs to, if any, and its record.
thread_local void const* t_workerOf = nullptr;
thread_local unsigned int t_workerIndex = 0;

void CountPushed(CQzWorkerManager::SWorkerQueue& worker, CQzWorkerManager::SWorkUnit const& unit)
{
    worker.tagPushed[unit.tag].fetch_add(1, std::memory_order_release);
    worker.unitsPushed.fetch_add(1, std::memory_order_release);
}

// Spins until completed catches up with pushed; returns that count.
unsigned int WaitUntilEqual(std::atomic<unsigned int> const& pushed, std::atomic<unsigned int> const& completed)
{
    // a pure spin: these waits are for short stretches at batch ends
    for (;;)
    {
        // completed first (see the file comment)
        unsigned int const done = completed.load(std::memory_order_acquire);
        if (pushed.load(std::memory_order_acquire) == done)
            return done;
    }
}

struct SCounterPair
{
    std::atomic<unsigned int> const& pushed;
    std::atomic<unsigned int> const& completed;
};

// Walks the workers, waiting for each in turn to be idle on the counters
// select picks, until two walks see the same pushed counts. The fields are
// re-read from the manager at every step.
template <typename Select>
void WaitUntilSettled(CQzWorkerManager::SWorkerQueue* const& workers, unsigned int const& count, Select select)
{
    auto const walk = [&] {
        unsigned int sum = 0;
        for (unsigned int i = 0; i < count; ++i)
        {
            SCounterPair const counters = select(workers[i]);
            sum += WaitUntilEqual(counters.pushed, counters.completed);
        }
        return sum;
    };
    for (unsigned int seen = walk();;)
    {
        unsigned int const again = walk();
        if (again == seen)
            return;
        seen = again;
    }
}

} // namespace

// ---- pushing ----

void CQzWorkerManager::SThreads::Push(SWorkUnit const& unit)
{
    // the unit counts as outstanding until it has run (see Shutdown)
    outstanding.fetch_add(1, std::memory_order_seq_cst);
    unsigned int const target = nextWorker.fetch_add(1, std::memory_order_relaxed) % count;
    if (t_workerOf != this)
    {
        QueueWhenRoom(target, unit);
        return;
    }
    unsigned int const own = t_workerIndex;
    if (TryQueue(target, unit) || (target != own && TryQueue(own, unit)))
        return;
    // both rings full: run it here, counted on this worker's own record
    {
        std::lock_guard<std::mutex> lock(signals[own].lock);
        CountPushed(workers[own], unit);
    }
    Run(own, unit);
}

// Both queue and wake under the lock: the unit may release the last manager
// and the workers may then free all of this, but not before the worker
// woken here has taken the lock after us (it does so before leaving), so a
// pusher's last touch of this object is its unlock.
bool CQzWorkerManager::SThreads::TryQueue(unsigned int index, SWorkUnit const& unit)
{
    std::lock_guard<std::mutex> lock(signals[index].lock);
    if (workers[index].queue.IsFull())
        return false;
    CountPushed(workers[index], unit);
    workers[index].queue.Push(unit);
    signals[index].wake.notify_one();
    return true;
}

void CQzWorkerManager::SThreads::QueueWhenRoom(unsigned int index, SWorkUnit const& unit)
{
    std::unique_lock<std::mutex> lock(signals[index].lock);
    while (workers[index].queue.IsFull())
    {
        lock.unlock();
        std::this_thread::yield();
        lock.lock();
    }
    CountPushed(workers[index], unit);
    workers[index].queue.Push(unit);
    signals[index].wake.notify_one(); // under the lock, as in TryQueue
}

// ---- worker threads ----

// On worker index's own thread only: it alone writes the completed counters.
void CQzWorkerManager::SThreads::Run(unsigned int index, SWorkUnit const& unit)
{
    unit.function(unit.argument);
    workers[index].tagCompleted[unit.tag].fetch_add(1, std::memory_order_release);
    workers[index].unitsCompleted.fetch_add(1, std::memory_order_release);
    if (outstanding.fetch_sub(1, std::memory_order_seq_cst) == 1 && released.load(std::memory_order_seq_cst))
        Stop();
}

void CQzWorkerManager::SThreads::Stop()
{
    stopping.store(true, std::memory_order_seq_cst);
    for (unsigned int i = 0; i < count; ++i)
    {
        std::lock_guard<std::mutex> lock(signals[i].lock);
        signals[i].wake.notify_one();
    }
}

// Runs worker index's units until the workers stop and its ring is empty.
void CQzWorkerManager::SThreads::Loop(unsigned int index)
{
    t_workerOf = this;
    t_workerIndex = index;
    char name[16];
    std::snprintf(name, sizeof name, "QzWorker%u", index);
    QzSetCurrentThreadName(name);

    SWorkUnit unit;
    for (;;)
    {
        if (workers[index].queue.Pop(unit))
        {
            Run(index, unit);
            continue;
        }
        std::unique_lock<std::mutex> lock(signals[index].lock);
        if (!workers[index].queue.IsEmpty())
            continue;
        if (stopping.load(std::memory_order_acquire))
            break;
        signals[index].wake.wait(lock);
    }
    if (!selfFreeing)
        return;
    // nothing touches this object after a worker's count of leaving (so the
    // worker count is read before it), and the last one out frees it
    unsigned int const workerCount = count;
    if (left.fetch_add(1, std::memory_order_acq_rel) + 1 == workerCount)
    {
        delete[] workers;
        delete this;
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
    : m_workerCount(0), m_pWorkers(nullptr), m_pThreads(nullptr)
{
    Start(workerCount);
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

// Starts the workers. A thread the system refuses ends the starting: the
// manager keeps the workers already running, and with none runs units in
// the pushing thread, as a manager built with no workers does.
void CQzWorkerManager::Start(unsigned int workerCount)
{
    SWorkerQueue* const records = workerCount > 0 ? new SWorkerQueue[workerCount] : nullptr;
    m_pThreads = new SThreads(workerCount, records);
    unsigned int started = 0;
    try
    {
        m_pThreads->threads.reserve(workerCount);
        for (; started < workerCount; ++started)
        {
            if (QzTestWorkerThreadStartFails())
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
            m_pThreads->threads.emplace_back(&SThreads::Loop, m_pThreads, started);
        }
    }
    catch (std::system_error const& error)
    {
        QzLog(LOG_WARNING, LOG_TYPE_GENERAL, 0, "CQzWorkerManager: started %u of %u worker threads (%s)", started,
              workerCount, error.what());
    }
    // the running workers read the count only once they are told to stop,
    // which needs a manager released first
    m_pThreads->count = started;
    if (started == 0)
    {
        delete[] records;
        m_pThreads->workers = nullptr;
    }
    m_workerCount = started;
    m_pWorkers = m_pThreads->workers;
}

// Drops this manager's share; the last one shuts the workers down once
// every unit has run (see Shutdown in the file comment).
void CQzWorkerManager::Leave()
{
    SThreads* const threads = m_pThreads;
    if (threads->shares.fetch_sub(1, std::memory_order_acq_rel) != 1)
        return;
    if (threads->count == 0)
    {
        delete threads;
        return;
    }
    // Inside a unit this thread is a worker and cannot join itself, nor wait
    // for its own unit: the workers free themselves when they are done.
    bool const insideUnit = t_workerOf == threads;
    if (insideUnit)
    {
        threads->selfFreeing = true;
        for (std::thread& thread : threads->threads)
            thread.detach();
    }
    threads->released.store(true, std::memory_order_seq_cst);
    if (threads->outstanding.load(std::memory_order_seq_cst) == 0)
        threads->Stop();
    if (insideUnit)
        return;
    for (std::thread& thread : threads->threads)
        thread.join();
    delete[] threads->workers;
    delete threads;
}

// ---- pushing and waiting ----

void CQzWorkerManager::PushWorkUnit(WorkFunction function, void* argument, QzWorkerUnitTag tag)
{
    if (m_workerCount == 0)
    {
        function(argument);
        return;
    }
    SWorkUnit const unit = {function, argument, unsigned(tag) % e_tagCount};
    m_pThreads->Push(unit);
}

void CQzWorkerManager::WaitForAllCompletion() const
{
    WaitUntilSettled(m_pWorkers, m_workerCount, [](SWorkerQueue const& worker) {
        return SCounterPair{worker.unitsPushed, worker.unitsCompleted};
    });
}

void CQzWorkerManager::WaitForTagCompletion(QzWorkerUnitTag tag) const
{
    unsigned int const slot = unsigned(tag) % e_tagCount;
    WaitUntilSettled(m_pWorkers, m_workerCount, [slot](SWorkerQueue const& worker) {
        return SCounterPair{worker.tagPushed[slot], worker.tagCompleted[slot]};
    });
}

// ---- test hook ----

namespace {

std::atomic<unsigned int> g_failingStart(0);

} // namespace

void QzTestFailWorkerThreadStart(unsigned int nth)
{
    g_failingStart.store(nth, std::memory_order_relaxed);
}

bool QzTestWorkerThreadStartFails()
{
    unsigned int left = g_failingStart.load(std::memory_order_relaxed);
    while (left != 0 && !g_failingStart.compare_exchange_weak(left, left - 1, std::memory_order_relaxed))
    {
    }
    return left == 1;
}
