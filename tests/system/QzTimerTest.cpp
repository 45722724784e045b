// Tests of CQzTimer and CQzPerformanceTimer. Real time is only bounded from
// both sides by the steady clock, which reads the same monotonic counter.
#include "system/QzPerformanceTimer.h"
#include "system/QzTimer.h"
#include "system/internal/QzTimerMath.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

float MillisecondsSince(Clock::time_point start) { return std::chrono::duration<float, std::milli>(Clock::now() - start).count(); }

constexpr float kSlack = 0.01f; // float rounding of clock values of a few seconds

} // namespace

TEST(QzTimer, SmoothsDeltasPausesAndResetsAndTheStopwatchCountsModulo32Bits)
{
    CQzTimer timer;
    timer.Update();
    EXPECT_EQ(timer.GetSmoothDelta(), 33.333332f);
    EXPECT_EQ(timer.GetAbsolute(), timer.GetDelta()); // the first frame spans everything since construction
    timer.Update();
    EXPECT_EQ(timer.GetSmoothDelta(), QzBlendSmoothDelta(33.333332f, timer.GetDelta()));
    EXPECT_EQ(QzBlendSmoothDelta(33.333332f, 16.0f), 29.866666f);
    EXPECT_EQ(timer.GetUpdateCount(), 2u);
    timer.ResetUpdateCount();
    timer.Update();
    EXPECT_EQ(timer.GetSmoothDelta(), 33.333332f);

    // a second pause restarts the pause that resume counts: the clock goes on from there
    timer.Pause();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    timer.Update();
    timer.Pause();
    float const atPause = timer.GetCurrent();
    EXPECT_EQ(timer.GetAbsolute(), atPause);
    EXPECT_EQ(timer.GetDelta() + timer.GetSmoothDelta(), 0.0f);
    EXPECT_EQ(timer.GetUpdateCount(), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Clock::time_point const resuming = Clock::now();
    timer.Resume();
    float const current = timer.GetCurrent();
    EXPECT_GE(current, atPause - kSlack);
    EXPECT_LE(current, atPause + MillisecondsSince(resuming) + kSlack);

    // a reset restarts at zero, forgets the pauses and measures the next delta from itself
    Clock::time_point const resetting = Clock::now();
    timer.Reset();
    EXPECT_GE(timer.GetCurrent(), -kSlack);
    EXPECT_LE(timer.GetCurrent(), MillisecondsSince(resetting) + kSlack);
    timer.Update();
    EXPECT_GE(timer.GetDelta(), 0.0f);
    EXPECT_LE(timer.GetDelta(), MillisecondsSince(resetting) + kSlack);
    EXPECT_EQ(timer.GetUpdateCount(), 1u);

    // threads racing to the first call share one instance
    auto first = std::async(std::launch::async, &CQzTimer::GetInstance);
    auto second = std::async(std::launch::async, &CQzTimer::GetInstance);
    EXPECT_EQ(first.get(), second.get());

    // the stopwatch: only the low 32 bits count: across a wrap, and with differing high words
    EXPECT_EQ(QzTicksModulo32(0xFFFFFFF0ll, 0x100000010ll), 0x20u);
    EXPECT_EQ(QzTicksModulo32((5ll << 32) + 100, (9ll << 32) + 50), 4294967246u);
    EXPECT_EQ(QzWholeMilliseconds(19999, 10000000), 1.0f);
    EXPECT_EQ(QzWholeMilliseconds(0xFFFFFFFFull, 10000000), 429496.0f); // no overflow in 64 bits

    CQzPerformanceTimer watch;
    Clock::time_point const start = Clock::now();
    watch.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    watch.Stop();
    EXPECT_EQ(watch.GetFrequency(), 10000000u);
    EXPECT_GE(watch.GetMilliseconds(), 20.0f);
    EXPECT_LE(watch.GetMilliseconds(), MillisecondsSince(start) + 1.0f);
}
