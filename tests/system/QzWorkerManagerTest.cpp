// Tests of CQzWorkerManager: thousands of units from several pushing
// threads, waits that return only when the counted work is done (the units'
// results are checked after them), tag waits, counters across 2^32, copies,
// shutdown that runs every unit, and the workers' thread names.
#include "system/QzThread.h"
#include "system/QzWaitEvent.h"
#include "system/QzWorkerManager.h"

#include "QzThreadCount.h"

#include <gtest/gtest.h>

#include <pthread.h>

#include <algorithm>
#include <atomic>
#include <random>
#include <string>
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

namespace {

// Parents that each push children leaves through the manager.
struct SFamily
{
    CQzWorkerManager* manager = nullptr;
    unsigned int children = 100;
    std::atomic<unsigned int> leaves{0};
};

void Leaf(void* argument)
{
    static_cast<SFamily*>(argument)->leaves.fetch_add(1, std::memory_order_relaxed);
}

void Parent(void* argument)
{
    SFamily& family = *static_cast<SFamily*>(argument);
    for (unsigned int i = 0; i < family.children; ++i)
        family.manager->PushWorkUnit(Leaf, argument, WORKER_TAG_6);
}

struct SChain
{
    CQzWorkerManager* manager = nullptr;
    unsigned int length = 3000;
    std::atomic<unsigned int> links{0};
};

void Link(void* argument)
{
    SChain& chain = *static_cast<SChain*>(argument);
    if (chain.links.fetch_add(1, std::memory_order_relaxed) + 1 < chain.length)
        chain.manager->PushWorkUnit(Link, argument, WORKER_TAG_5);
}

void Count(void* argument)
{
    static_cast<std::atomic<unsigned int>*>(argument)->fetch_add(1, std::memory_order_relaxed);
}

} // namespace

// Parents push far more than a ring holds, so workers also meet full rings
// (their own among them, with one worker) and must neither wait nor drop.
TEST(QzWorkerManager, DestructorRunsEveryUnitIncludingThosePushedByUnits)
{
    for (unsigned int workers : {1u, 2u, 2u, 2u, 4u, 4u})
    {
        SFamily family;
        {
            CQzWorkerManager manager(workers);
            family.manager = &manager;
            for (int i = 0; i < 500; ++i)
                manager.PushWorkUnit(Parent, &family, WORKER_TAG_1);
        }
        EXPECT_EQ(family.leaves.load(), 50000u) << workers << " workers";
    }
}

// Each link of a chain pushes the next one, which goes to the other worker:
// a single walk over the workers finds the one it looks at idle while the
// chain goes on at the other.
TEST(QzWorkerManager, WaitForAllCoversUnitsThatUnitsPush)
{
    for (unsigned int workers : {1u, 2u, 3u})
    {
        std::vector<SChain> chains(10); // outlive the manager's units
        CQzWorkerManager manager(workers);
        for (std::size_t round = 0; round < chains.size(); ++round)
        {
            SChain& chain = chains[round];
            chain.manager = &manager;
            manager.PushWorkUnit(Link, &chain, WORKER_TAG_5);
            manager.WaitForAllCompletion();
            ASSERT_EQ(chain.links.load(std::memory_order_relaxed), chain.length)
                << workers << " workers, round " << round;
        }
    }
}

// The test stands in for pushers and workers on an idle worker's record:
// one unit stays outstanding while others are pushed and completed at an
// uneven pace. A wait that read a stale pushed count against a newer
// completed count would return while that unit is still outstanding.
TEST(QzWorkerManager, WaitsNeverReturnWhileAUnitIsOutstanding)
{
    CInspectedManager manager(1);
    CQzWorkerManager::SWorkerQueue& worker = manager.Worker(0);
    std::mt19937 random(5);
    for (int round = 0; round < 16; ++round)
    {
        bool const tagWait = round % 2 == 1;
        std::atomic<unsigned int>& pushed = tagWait ? worker.tagPushed[3] : worker.unitsPushed;
        std::atomic<unsigned int>& completed = tagWait ? worker.tagCompleted[3] : worker.unitsCompleted;
        unsigned int count = completed.load();
        pushed.store(count + 1);

        std::atomic<bool> waiting(false), settled(false), early(false);
        std::thread waiter([&] {
            waiting.store(true);
            if (tagWait)
                manager.WaitForTagCompletion(WORKER_TAG_3);
            else
                manager.WaitForAllCompletion();
            early.store(!settled.load());
        });
        while (!waiting.load())
            std::this_thread::yield();
        for (int step = 0; step < 100000 && !early.load(std::memory_order_relaxed); ++step)
        {
            ++count;
            pushed.store(count + 1, std::memory_order_release);
            for (unsigned int pace = random() % 32; pace > 0; --pace)
                waiting.load(std::memory_order_relaxed);
            completed.store(count, std::memory_order_release);
        }
        settled.store(true);
        completed.store(count + 1, std::memory_order_release);
        waiter.join();
        ASSERT_FALSE(early.load()) << (tagWait ? "tag" : "all") << " wait, round " << round;
    }
}

TEST(QzWorkerManager, LastCopyReleasedInsideAUnitLetsTheWorkersFinishAndLeave)
{
    ASSERT_EQ(qztest::CountWorkerThreads(), 0u);
    std::atomic<unsigned int> ran(0);
    struct SRelease
    {
        CQzWorkerManager* manager;
        std::atomic<unsigned int>* ran;
    } release = {new CQzWorkerManager(2), &ran};
    for (int i = 0; i < 300; ++i)
        release.manager->PushWorkUnit(Count, &ran, WORKER_TAG_0);
    release.manager->PushWorkUnit(
        [](void* argument) {
            SRelease& r = *static_cast<SRelease*>(argument);
            for (int i = 0; i < 100; ++i)
                r.manager->PushWorkUnit(Count, r.ran, WORKER_TAG_0);
            delete r.manager;
        },
        &release, WORKER_TAG_1);

    // the workers leave only once every unit has run
    ASSERT_TRUE(qztest::AwaitWorkerThreads(0));
    EXPECT_EQ(ran.load(), 400u);
}

TEST(QzWorkerManager, WorkersAreNamedAfterTheirIndex)
{
    unsigned int const workers = 3;
    CQzWorkerManager manager(workers);
    std::vector<std::string> names(workers);
    // one unit per worker: pushes from one thread go to each worker in turn
    for (std::string& name : names)
        manager.PushWorkUnit(
            [](void* argument) {
                char text[16] = {};
                pthread_getname_np(pthread_self(), text, sizeof text);
                *static_cast<std::string*>(argument) = text;
            },
            &name, WORKER_TAG_2);
    manager.WaitForAllCompletion();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"QzWorker0", "QzWorker1", "QzWorker2"}));
}
