// QzPerformanceTimer.h: CQzPerformanceTimer, a start/stop stopwatch over
// the high-resolution counter for short intervals.
#ifndef QZCORE_SYSTEM_QZPERFORMANCETIMER_H
#define QZCORE_SYSTEM_QZPERFORMANCETIMER_H

#include "QzApi.h"

class QZ_API CQzPerformanceTimer
{
public:
    CQzPerformanceTimer() : m_start(0), m_stop(0) {}
    CQzPerformanceTimer& operator=(CQzPerformanceTimer const&) = default;

    void Start();
    void Stop();

    // Ticks from start to stop, modulo 2^32 (the counter's low 32 bits
    // wrap after about seven minutes).
    unsigned long long GetTicksCount();
    // Counter ticks per second.
    unsigned long long GetFrequency();
    // The interval in whole milliseconds, truncated.
    float GetMilliseconds();

private:
    long long m_start;
    long long m_stop;
};

#endif // QZCORE_SYSTEM_QZPERFORMANCETIMER_H
