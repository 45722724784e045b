// Tests of CQzTimer and CQzPerformanceTimer: the smoothing seed and blend,
// pause and resume, reset, and the stopwatch's modulo-2^32 ticks. Real time
// is only bounded from both sides by the steady clock, which reads the same
// monotonic counter, so a loaded machine cannot make these fail.
#include "system/QzPerformanceTimer.h"
#include "system/QzTimer.h"
#include "system/internal/QzTimerMath.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// float rounding of clock values of a few seconds
constexpr float kSlack = 0.01f;

} // namespace

TEST(QzTimer, SmoothsDeltasPausesAndResets)
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

    // a second pause restarts the pause that resume counts, so the clock
    // goes on from its reading at the second pause
    timer.Pause();
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    timer.Update();
    timer.Pause();
    float const atPause = timer.GetCurrent();
    EXPECT_EQ(timer.GetAbsolute(), atPause);
    EXPECT_EQ(timer.GetDelta(), 0.0f);
    EXPECT_EQ(timer.GetSmoothDelta(), 0.0f);
    EXPECT_EQ(timer.GetUpdateCount(), 1u);
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    Clock::time_point const resuming = Clock::now();
    timer.Resume();
    float const current = timer.GetCurrent();
    double const resumeSpan = MillisecondsSince(resuming);
    EXPECT_GE(current, atPause - kSlack);
    EXPECT_LE(current, atPause + float(resumeSpan) + kSlack);

    // a reset restarts the clock at zero and forgets the pauses
    Clock::time_point const resetting = Clock::now();
    timer.Reset();
    float const restarted = timer.GetCurrent();
    EXPECT_GE(restarted, -kSlack);
    EXPECT_LE(restarted, float(MillisecondsSince(resetting)) + kSlack);
    // the first delta is measured from the reset, not from the old origin
    timer.Update();
    EXPECT_GE(timer.GetDelta(), 0.0f);
    EXPECT_LE(timer.GetDelta(), float(MillisecondsSince(resetting)) + kSlack);
    EXPECT_EQ(timer.GetUpdateCount(), 1u);

    // threads racing to the first call share one instance
    auto const instance = [] { return CQzTimer::GetInstance(); };
    std::future<CQzTimer*> first = std::async(std::launch::async, instance);
    std::future<CQzTimer*> second = std::async(std::launch::async, instance);
    EXPECT_EQ(first.get(), second.get());
}

TEST(QzPerformanceTimer, MeasuresWholeMillisecondsModulo32Bits)
{
    // only the low 32 bits count: across a wrap, and with differing high words
    EXPECT_EQ(QzTicksModulo32(0xFFFFFFF0ll, 0x100000010ll), 0x20u);
    EXPECT_EQ(QzTicksModulo32((5ll << 32) + 100, (9ll << 32) + 50), 4294967246u);
    EXPECT_EQ(QzWholeMilliseconds(19999, 10000000), 1.0f);
    EXPECT_EQ(QzWholeMilliseconds(0xFFFFFFFFull, 10000000), 429496.0f); // no overflow in 64 bits

    CQzPerformanceTimer watch;
    Clock::time_point const start = Clock::now();
    watch.Start();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    watch.Stop();
    double const span = MillisecondsSince(start);
    EXPECT_EQ(watch.GetFrequency(), 10000000u);
    EXPECT_GE(watch.GetMilliseconds(), 20.0f);
    EXPECT_LE(watch.GetMilliseconds(), float(span) + 1.0f);
}
