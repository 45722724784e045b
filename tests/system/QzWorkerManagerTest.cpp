// Tests of CQzWorkerManager: thousands of units from several pushing
// threads, waits that return only when the counted work is done (the units'
// results are checked after them), tag waits, counters across 2^32, copies
// and shutdown.
#include "system/QzThread.h"
#include "system/QzWaitEvent.h"
#include "system/QzWorkerManager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// One unit's work: a little arithmetic whose result the test can recompute.
struct SJob
{
    unsigned int input = 0;
    unsigned int output = 0;
    bool done = false;
};

unsigned int Churn(unsigned int value)
{
    for (int i = 0; i < 200; ++i)
        value = value * 1664525u + 1013904223u;
    return value;
}

void RunJob(void* argument)
{
    SJob& job = *static_cast<SJob*>(argument);
    job.output = Churn(job.input);
    job.done = true;
}

void ExpectAllDone(std::vector<SJob> const& jobs)
{
    // the flags first, newest first: those would still be pending after an
    // early return, whereas recomputing every result gives them time
    for (auto job = jobs.rbegin(); job != jobs.rend(); ++job)
        ASSERT_TRUE(job->done) << "input " << job->input;
    for (SJob const& job : jobs)
    {
        ASSERT_TRUE(job.done) << "input " << job.input;
        ASSERT_EQ(job.output, Churn(job.input));
    }
}

std::vector<SJob> MakeJobs(unsigned int count)
{
    std::vector<SJob> jobs(count);
    for (unsigned int i = 0; i < count; ++i)
        jobs[i].input = i;
    return jobs;
}

// Exposes the worker records to check and set their counters.
class CInspectedManager : public CQzWorkerManager
{
public:
    explicit CInspectedManager(unsigned int workers) : CQzWorkerManager(workers) {}
    SWorkerQueue& Worker(unsigned int index) { return GetWorkerQueues()[index]; }
};

} // namespace

TEST(QzWorkerManager, RunsThousandsOfUnitsFromSeveralPushers)
{
    CQzWorkerManager manager(3);
    EXPECT_EQ(manager.GetWorkerCount(), 3u);
    unsigned int const pushers = 4;
    unsigned int const perPusher = 2500;
    std::vector<SJob> jobs = MakeJobs(pushers * perPusher);

    std::vector<std::thread> threads;
    for (unsigned int p = 0; p < pushers; ++p)
        threads.emplace_back([&, p] {
            for (unsigned int i = 0; i < perPusher; ++i)
                manager.PushWorkUnit(RunJob, &jobs[p * perPusher + i], QzWorkerUnitTag(i % 8));
            // while the others still push, the wait covers this thread's units
            manager.WaitForAllCompletion();
            for (unsigned int i = perPusher; i-- > 0;)
                ASSERT_TRUE(jobs[p * perPusher + i].done) << "pusher " << p << " unit " << i;
        });
    for (std::thread& thread : threads)
        thread.join();
    manager.WaitForAllCompletion();
    ExpectAllDone(jobs);
}

TEST(QzWorkerManager, DefaultManagerHasOneWorkerPerProcessorAndWaitsForAll)
{
    CQzWorkerManager manager;
    EXPECT_EQ(manager.GetWorkerCount(), QzGetProcessorCount());
    // far more units than the rings hold: pushing has to wait for room
    std::vector<SJob> jobs = MakeJobs(5000);
    for (SJob& job : jobs)
        manager.PushWorkUnit(RunJob, &job, WORKER_TAG_0);
    manager.WaitForAllCompletion();
    ExpectAllDone(jobs);
    manager.WaitForAllCompletion();
}

TEST(QzWorkerManager, TagWaitIgnoresOtherTagsButWaitsForItsOwn)
{
    CInspectedManager manager(2);
    std::vector<SJob> tagThree = MakeJobs(400);
    CQzWaitEvent gate;
    gate.Clear();
    std::atomic<int> blockedDone(0);
    struct SBlocked
    {
        CQzWaitEvent* gate;
        std::atomic<int>* done;
    } blocked = {&gate, &blockedDone};
    auto const runBlocked = [](void* argument) {
        SBlocked& b = *static_cast<SBlocked*>(argument);
        b.gate->Wait();
        b.done->fetch_add(1);
    };

    // tag 3 first on every worker, then one tag 5 unit each that holds its
    // worker until the gate opens
    for (SJob& job : tagThree)
        manager.PushWorkUnit(RunJob, &job, WORKER_TAG_3);
    manager.PushWorkUnit(runBlocked, &blocked, WORKER_TAG_5);
    manager.PushWorkUnit(runBlocked, &blocked, WORKER_TAG_5);

    manager.WaitForTagCompletion(WORKER_TAG_3);
    ExpectAllDone(tagThree);
    manager.WaitForTagCompletion(WORKER_TAG_1); // nothing of tag 1 was pushed
    EXPECT_EQ(blockedDone.load(), 0);
    unsigned int pending = 0;
    for (unsigned int w = 0; w < 2; ++w)
        pending += manager.Worker(w).tagPushed[5].load() - manager.Worker(w).tagCompleted[5].load();
    EXPECT_EQ(pending, 2u);

    gate.Set();
    manager.WaitForTagCompletion(WORKER_TAG_5);
    EXPECT_EQ(blockedDone.load(), 2);
    manager.WaitForAllCompletion();
}

TEST(QzWorkerManager, CountersThatWrapAt2To32StillMeanIdleWhenEqual)
{
    CInspectedManager manager(2);
    manager.WaitForAllCompletion();
    for (unsigned int w = 0; w < 2; ++w)
    {
        CQzWorkerManager::SWorkerQueue& worker = manager.Worker(w);
        worker.unitsPushed.store(0xFFFFFFFFu);
        worker.unitsCompleted.store(0xFFFFFFFFu);
        worker.tagPushed[2].store(0xFFFFFFFEu);
        worker.tagCompleted[2].store(0xFFFFFFFEu);
    }
    manager.WaitForAllCompletion();
    manager.WaitForTagCompletion(WORKER_TAG_2);

    std::vector<SJob> jobs = MakeJobs(1000);
    for (SJob& job : jobs)
        manager.PushWorkUnit(RunJob, &job, WORKER_TAG_2);
    manager.WaitForTagCompletion(WORKER_TAG_2);
    ExpectAllDone(jobs);
    manager.WaitForAllCompletion();

    unsigned int total = 0;
    for (unsigned int w = 0; w < 2; ++w)
    {
        CQzWorkerManager::SWorkerQueue& worker = manager.Worker(w);
        unsigned int const ran = worker.unitsCompleted.load() + 1u; // from 2^32 - 1
        EXPECT_LE(ran, 1000u);
        EXPECT_EQ(worker.unitsPushed.load(), worker.unitsCompleted.load());
        EXPECT_EQ(worker.tagCompleted[2].load(), 0xFFFFFFFEu + ran);
        total += ran;
    }
    EXPECT_EQ(total, 1000u);
}

TEST(QzWorkerManager, WithoutWorkersUnitsRunAtOnceAndWaitsReturn)
{
    CQzWorkerManager manager(0);
    EXPECT_EQ(manager.GetWorkerCount(), 0u);
    manager.WaitForAllCompletion();
    manager.WaitForTagCompletion(WORKER_TAG_7);
    SJob job;
    job.input = 7;
    manager.PushWorkUnit(RunJob, &job, WORKER_TAG_7);
    EXPECT_TRUE(job.done);
}

TEST(QzWorkerManager, CopiesShareTheWorkersAndTheLastOneShutsThemDown)
{
    std::vector<SJob> jobs = MakeJobs(600);
    CQzWorkerManager* const original = new CQzWorkerManager(2);
    CQzWorkerManager copy(*original);
    CQzWorkerManager assigned(1);
    assigned = *original;
    EXPECT_EQ(assigned.GetWorkerCount(), 2u);

    for (unsigned int i = 0; i < 200; ++i)
        original->PushWorkUnit(RunJob, &jobs[i], WORKER_TAG_0);
    delete original;
    for (unsigned int i = 200; i < 400; ++i)
        copy.PushWorkUnit(RunJob, &jobs[i], WORKER_TAG_0);
    for (unsigned int i = 400; i < 600; ++i)
        assigned.PushWorkUnit(RunJob, &jobs[i], WORKER_TAG_0);
    assigned.WaitForAllCompletion(); // waits for what copy pushed as well
    ExpectAllDone(jobs);
}

TEST(QzWorkerManager, DestructorFinishesQueuedUnits)
{
    std::vector<SJob> jobs = MakeJobs(3000);
    {
        CQzWorkerManager manager(2);
        for (SJob& job : jobs)
            manager.PushWorkUnit(RunJob, &job, WORKER_TAG_4);
    }
    ExpectAllDone(jobs);
}

namespace {

struct SContext
{
    CQzWorkerManager* manager;
    std::atomic<unsigned int>* leaves;
};

void Leaf(void* argument)
{
    static_cast<SContext*>(argument)->leaves->fetch_add(1);
}

} // namespace

TEST(QzWorkerManager, UnitsPushingUnitsNeverDeadlockOnFullRings)
{
    CQzWorkerManager manager(1);
    std::atomic<unsigned int> leaves(0);
    SContext context = {&manager, &leaves};
    auto const branch = [](void* argument) {
        SContext& c = *static_cast<SContext*>(argument);
        for (int i = 0; i < 100; ++i)
            c.manager->PushWorkUnit(Leaf, argument, WORKER_TAG_6);
    };
    for (int i = 0; i < 20; ++i)
        manager.PushWorkUnit(branch, &context, WORKER_TAG_1);
    manager.WaitForAllCompletion();
    EXPECT_EQ(leaves.load(), 2000u);
}
