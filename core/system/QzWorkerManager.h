// QzWorkerManager.h: CQzWorkerManager, worker threads that run queued work
// units, and the waits for all of them or for one tag of them to finish.
#ifndef QZCORE_SYSTEM_QZWORKERMANAGER_H
#define QZCORE_SYSTEM_QZWORKERMANAGER_H

#include "QzApi.h"
#include "system/QzFixedRingBuffer.h"

#include <atomic>

// Classifies work units so that a caller can wait for one class only.
enum QzWorkerUnitTag : unsigned int
{
    WORKER_TAG_0 = 0,
    WORKER_TAG_1,
    WORKER_TAG_2,
    WORKER_TAG_3,
    WORKER_TAG_4,
    WORKER_TAG_5,
    WORKER_TAG_6,
    WORKER_TAG_7,
};

class QZ_API CQzWorkerManager
{
public:
    static unsigned int const e_tagCount = 8;
    static unsigned int const e_queueSize = 64;

    typedef void (*WorkFunction)(void* argument);

    // One queued job: function(argument), classified by tag.
    struct SWorkUnit
    {
        WorkFunction function;
        void* argument;
        unsigned int tag;
    };

    // One worker's counters and queue. Counters only grow (modulo 2^32); a
    // worker, or one of its tags, is idle exactly when pushed equals
    // completed. Each counter has one writer: the pushed counters are
    // incremented under the record's push lock before a unit is queued, the
    // completed counters by the record's own worker after the unit has run.
    struct SWorkerQueue
    {
        SWorkerQueue();
        SWorkerQueue(SWorkerQueue const&) = delete;
        SWorkerQueue& operator=(SWorkerQueue const&) = delete;

        std::atomic<unsigned int> unitsPushed;
        std::atomic<unsigned int> unitsCompleted;
        std::atomic<unsigned int> tagPushed[e_tagCount];
        std::atomic<unsigned int> tagCompleted[e_tagCount];
        CQzFixedRingBuffer<SWorkUnit, e_queueSize> queue;
    };

    // One worker thread per processor.
    CQzWorkerManager();
    // workerCount threads; with none, pushed units run in the pushing thread.
    // When the system cannot start them all, the manager keeps those that
    // did start (GetWorkerCount says how many, a warning is logged), and
    // with none of them runs units in the pushing thread.
    explicit CQzWorkerManager(unsigned int workerCount);
    // Copies share the same workers (a shallow copy); the last of them to
    // go shuts the workers down.
    CQzWorkerManager(CQzWorkerManager const& other);
    CQzWorkerManager& operator=(CQzWorkerManager const& other);
    // The last copy to go waits until every unit pushed has run, including
    // units that units push meanwhile, then joins the workers. Released
    // inside a unit, it returns at once and the workers finish the work and
    // free themselves.
    ~CQzWorkerManager();

    // Queues function(argument) on the next worker in turn, waiting
    // (yielding) while that worker's ring of 64 units is full. A worker of
    // this manager never waits: it queues on its own ring instead, and when
    // that is full too it runs the unit at once. Safe from several threads.
    void PushWorkUnit(WorkFunction function, void* argument, QzWorkerUnitTag tag);

    unsigned int GetWorkerCount() const { return m_workerCount; }

    // Spins until every unit pushed so far has run, and every unit those
    // units pushed; what the units wrote is then visible. Not to be called
    // from this manager's workers.
    void WaitForAllCompletion() const;
    // The same for the units of one tag only.
    void WaitForTagCompletion(QzWorkerUnitTag tag) const;

protected:
    // The worker records, GetWorkerCount() of them.
    SWorkerQueue* GetWorkerQueues() const { return m_pWorkers; }

private:
    struct SThreads;

    void Start(unsigned int workerCount);
    void Leave();

    unsigned int m_workerCount;
    SWorkerQueue* m_pWorkers;
    // the threads, their wake-up signals, the count of sharing managers and
    // of units not yet run
    SThreads* m_pThreads;
};

#endif // QZCORE_SYSTEM_QZWORKERMANAGER_H
