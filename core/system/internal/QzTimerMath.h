// QzTimerMath.h: the counter arithmetic shared by the timers (internal):
// tick-to-millisecond conversions and the smoothing of frame deltas.
#ifndef QZCORE_SYSTEM_INTERNAL_QZTIMERMATH_H
#define QZCORE_SYSTEM_INTERNAL_QZTIMERMATH_H

// The smooth delta of a first update: one frame at 30 frames per second.
constexpr float kQzSeedSmoothDelta = 33.333332f;

// ticks / frequency × 1000 in double precision, stored as float.
inline float QzTicksToMilliseconds(long long ticks, long long frequency)
{
    return float(double(ticks) / double(frequency) * 1000.0);
}

// 20 % of the new delta blended into the smooth delta, in single precision.
inline float QzBlendSmoothDelta(float smoothDelta, float delta)
{
    return delta * 0.2f + smoothDelta * 0.8f;
}

// The stopwatch measures modulo 2^32 ticks: the difference of the low
// 32 bits of both readings, widened without sign.
inline unsigned long long QzTicksModulo32(long long start, long long stop)
{
    return (unsigned long long)(unsigned int)((unsigned int)stop - (unsigned int)start);
}

// Whole milliseconds in unsigned 64-bit arithmetic: 1.9 ms reads as 1.
inline float QzWholeMilliseconds(unsigned long long ticks, unsigned long long frequency)
{
    return float(ticks * 1000ull / frequency);
}

#endif // QZCORE_SYSTEM_INTERNAL_QZTIMERMATH_H
