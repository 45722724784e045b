// QzPerformanceTimer.cpp: the stopwatch over the platform counter.
#include "system/QzPerformanceTimer.h"

#include "system/internal/QzTimerMath.h"
#include "system/platform/QzPlatformClock.h"

void CQzPerformanceTimer::Start()
{
    m_start = qzplatform::ReadCounter();
}

void CQzPerformanceTimer::Stop()
{
    m_stop = qzplatform::ReadCounter();
}

unsigned long long CQzPerformanceTimer::GetTicksCount()
{
    return QzTicksModulo32(m_start, m_stop);
}

unsigned long long CQzPerformanceTimer::GetFrequency()
{
    return (unsigned long long)qzplatform::kCounterFrequency;
}

float CQzPerformanceTimer::GetMilliseconds()
{
    return QzWholeMilliseconds(GetTicksCount(), GetFrequency());
}
