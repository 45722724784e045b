// Tests of CQzTimer and CQzPerformanceTimer: the smoothing seed and blend,
// pause and resume arithmetic, and the stopwatch's modulo-2^32 ticks. Real
// time is only bounded from both sides, never asserted tightly, so a loaded
// machine cannot make these fail.
#include "system/QzPerformanceTimer.h"
#include "system/QzTimer.h"
#include "system/internal/QzTimerMath.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

void SleepMilliseconds(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// float rounding of clock values of a few seconds
constexpr float kSlack = 0.01f;

} // namespace

TEST(QzTimer, StartsAtZeroAndSeedsThenBlendsTheSmoothDelta)
{
    CQzTimer timer;
    EXPECT_EQ(timer.GetDelta(), 0.0f);
    EXPECT_EQ(timer.GetSmoothDelta(), 0.0f);
    EXPECT_EQ(timer.GetUpdateCount(), 0u);

    SleepMilliseconds(2);
    timer.Update();
    EXPECT_EQ(timer.GetSmoothDelta(), 33.333332f);
    EXPECT_GT(timer.GetDelta(), 0.0f);
    EXPECT_EQ(timer.GetAbsolute(), timer.GetDelta()); // the first frame spans everything since construction

    float const firstAbsolute = timer.GetAbsolute();
    SleepMilliseconds(2);
    timer.Update();
    float const delta = timer.GetDelta();
    EXPECT_EQ(timer.GetSmoothDelta(), delta * 0.2f + 33.333332f * 0.8f);
    EXPECT_NEAR(timer.GetAbsolute() - firstAbsolute, delta, kSlack);
    EXPECT_EQ(timer.GetUpdateCount(), 2u);

    timer.ResetUpdateCount();
    timer.Update();
    EXPECT_EQ(timer.GetSmoothDelta(), 33.333332f);
    EXPECT_EQ(timer.GetUpdateCount(), 1u);

    EXPECT_EQ(QzBlendSmoothDelta(33.333332f, 16.0f), 29.866666f);
}

// Bounds on a timer's pause offset, the one field no accessor shows: the
// clock's raw reading lies between the steady clock's spans since just
// after and just before construction, and GetCurrent is that reading minus
// the offset.
class CPauseOffsetProbe
{
public:
    CPauseOffsetProbe() : m_beforeConstruction(Clock::now()), m_afterConstruction(Clock::now()) {}

    CQzTimer& Timer() { return m_timer; }

    // Measures the offset now, as [lowest, highest] in ms.
    void Measure(double& lowest, double& highest)
    {
        Clock::time_point const before = Clock::now();
        double const current = m_timer.GetCurrent();
        Clock::time_point const after = Clock::now();
        lowest = std::chrono::duration<double, std::milli>(before - m_afterConstruction).count() - current;
        highest = std::chrono::duration<double, std::milli>(after - m_beforeConstruction).count() - current;
    }

private:
    Clock::time_point m_beforeConstruction;
    CQzTimer m_timer;
    Clock::time_point m_afterConstruction;
};

TEST(QzTimer, PauseStopsTheClockAndResumeContinuesWhereItStood)
{
    CPauseOffsetProbe probe;
    CQzTimer& timer = probe.Timer();
    timer.Update();
    SleepMilliseconds(5);

    Clock::time_point const pausing = Clock::now();
    timer.Pause();
    float const atPause = timer.GetCurrent();
    unsigned long long const count = timer.GetUpdateCount();
    EXPECT_EQ(timer.GetDelta(), 0.0f);
    EXPECT_EQ(timer.GetSmoothDelta(), 0.0f);

    SleepMilliseconds(60);
    timer.Update();
    EXPECT_EQ(timer.GetUpdateCount(), count);
    EXPECT_EQ(timer.GetCurrent(), atPause);
    EXPECT_EQ(timer.GetAbsolute(), atPause);

    Clock::time_point const resuming = Clock::now();
    timer.Resume();
    float const current = timer.GetCurrent();
    double const resumeSpan = MillisecondsSince(resuming);
    double const pauseSpan = MillisecondsSince(pausing);

    // the clock went on from the pause by no more than the resume took
    EXPECT_GE(current, atPause - kSlack);
    EXPECT_LE(current, atPause + float(resumeSpan) + kSlack);

    // the offset holds the pause: at least the sleep, at most the span
    double lowest = 0.0, highest = 0.0;
    probe.Measure(lowest, highest);
    EXPECT_GE(highest, 60.0 - kSlack);
    EXPECT_LE(lowest, pauseSpan + kSlack);

    timer.Update();
    EXPECT_GT(timer.GetUpdateCount(), count);
    EXPECT_GE(timer.GetAbsolute(), atPause - kSlack);
}

TEST(QzTimer, SecondPauseRestartsThePauseThatResumeCounts)
{
    CPauseOffsetProbe probe;
    CQzTimer& timer = probe.Timer();
    timer.Pause();
    SleepMilliseconds(150);
    Clock::time_point const secondPause = Clock::now();
    timer.Pause();
    SleepMilliseconds(20);
    timer.Resume();
    double const sinceSecondPause = MillisecondsSince(secondPause);

    double lowest = 0.0, highest = 0.0;
    probe.Measure(lowest, highest);
    EXPECT_GE(highest, 20.0 - kSlack);
    EXPECT_LE(lowest, sinceSecondPause + kSlack);
}

TEST(QzTimer, ResetRestartsTheClockAndForgetsEarlierPauses)
{
    CQzTimer timer;
    timer.Update();
    timer.Pause();
    SleepMilliseconds(30);
    timer.Resume();
    SleepMilliseconds(30);
    timer.Update();
    ASSERT_GT(timer.GetUpdateCount(), 0u);

    Clock::time_point const resetting = Clock::now();
    timer.Reset();
    float const current = timer.GetCurrent();
    double const sinceReset = MillisecondsSince(resetting);
    EXPECT_EQ(timer.GetUpdateCount(), 0u);
    // no old pause is subtracted any more: the clock starts at zero
    EXPECT_GE(current, -kSlack);
    EXPECT_LE(current, float(sinceReset) + kSlack);

    // the first delta is measured from the reset, not from the old origin
    timer.Update();
    EXPECT_GE(timer.GetDelta(), 0.0f);
    EXPECT_LE(timer.GetDelta(), float(MillisecondsSince(resetting)) + kSlack);
    EXPECT_EQ(timer.GetSmoothDelta(), 33.333332f);
}

TEST(QzTimer, CopiesCarryEveryFieldAndTheInstanceIsOne)
{
    CQzTimer timer;
    timer.Update();
    timer.Update();
    timer.Pause();
    CQzTimer copy(timer);
    EXPECT_EQ(copy.GetAbsolute(), timer.GetAbsolute());
    EXPECT_EQ(copy.GetCurrent(), timer.GetCurrent());
    EXPECT_EQ(copy.GetUpdateCount(), 2u);
    EXPECT_EQ(copy.GetDelta(), 0.0f); // paused too

    CQzTimer assigned;
    assigned = timer;
    assigned.Resume();
    EXPECT_GT(assigned.GetDelta(), -kSlack);
    EXPECT_EQ(assigned.GetUpdateCount(), 2u);
}

TEST(QzTimer, ThreadsRacingToTheFirstCallShareOneInstance)
{
    std::atomic<bool> go(false);
    CQzTimer* seen[4] = {};
    std::vector<std::thread> threads;
    for (CQzTimer*& instance : seen)
        threads.emplace_back([&go, &instance] {
            while (!go.load())
                std::this_thread::yield();
            instance = CQzTimer::GetInstance();
        });
    go.store(true);
    for (std::thread& thread : threads)
        thread.join();
    ASSERT_NE(seen[0], nullptr);
    for (CQzTimer* instance : seen)
        EXPECT_EQ(instance, seen[0]);
    EXPECT_EQ(CQzTimer::GetInstance(), seen[0]);
}

TEST(QzPerformanceTimer, ConvertsTicksToWholeMillisecondsModulo32Bits)
{
    EXPECT_EQ(QzTicksModulo32(0, 5000000), 5000000u);
    EXPECT_EQ(QzWholeMilliseconds(5000000, 10000000), 500.0f);
    EXPECT_EQ(QzWholeMilliseconds(19999, 10000000), 1.0f);
    EXPECT_EQ(QzWholeMilliseconds(9999, 10000000), 0.0f);
    // only the low 32 bits count: across a wrap, and with differing high words
    EXPECT_EQ(QzTicksModulo32(0xFFFFFFF0ll, 0x100000010ll), 0x20u);
    EXPECT_EQ(QzTicksModulo32((5ll << 32) + 100, (9ll << 32) + 50), 4294967246u);
    EXPECT_EQ(QzTicksModulo32(7, 7), 0u);
    // ticks × 1000 is done in 64 bits: the largest interval does not overflow
    EXPECT_EQ(QzWholeMilliseconds(0xFFFFFFFFull, 10000000), 429496.0f);
    EXPECT_FLOAT_EQ(QzTicksToMilliseconds(-15000, 10000000), -1.5f);
}

TEST(QzPerformanceTimer, MeasuresAtLeastTheTimeSlept)
{
    CQzPerformanceTimer watch;
    EXPECT_EQ(watch.GetFrequency(), 10000000u);
    Clock::time_point const start = Clock::now();
    watch.Start();
    SleepMilliseconds(20);
    watch.Stop();
    double const span = MillisecondsSince(start);
    EXPECT_GE(watch.GetTicksCount(), 200000u);
    EXPECT_GE(watch.GetMilliseconds(), 20.0f);
    EXPECT_LE(watch.GetMilliseconds(), float(span) + 1.0f);

    CQzPerformanceTimer copy;
    copy = watch;
    EXPECT_EQ(copy.GetTicksCount(), watch.GetTicksCount());
}
