// QzTimer.cpp: the application clock over the platform counter.
#include "system/QzTimer.h"

#include "system/internal/QzTimerMath.h"
#include "system/platform/QzPlatformClock.h"

CQzTimer::CQzTimer()
    : m_paused(false), m_pauseOffset(0.0f), m_updateCount(0), m_absolute(0.0f), m_delta(0.0f),
      m_smoothDelta(0.0f), m_origin(qzplatform::ReadCounter()), m_elapsedTicks(0), m_deltaTicks(0),
      m_frequency(qzplatform::kCounterFrequency)
{
}

CQzTimer::~CQzTimer() = default;

CQzTimer* CQzTimer::GetInstance()
{
    // a function-local static starts once even when threads race to the
    // first call; the clock is never destroyed, so it outlives every user
    static CQzTimer* const s_instance = new CQzTimer();
    return s_instance;
}

// ---- frame updates ----

void CQzTimer::InternalUpdate()
{
    long long const previous = m_elapsedTicks;
    m_elapsedTicks = qzplatform::ReadCounter() - m_origin;
    m_absolute = QzTicksToMilliseconds(m_elapsedTicks, m_frequency);
    m_deltaTicks = m_elapsedTicks - previous;
    m_delta = QzTicksToMilliseconds(m_deltaTicks, m_frequency);
}

void CQzTimer::Update()
{
    if (m_paused)
        return;
    InternalUpdate();
    m_smoothDelta = m_updateCount == 0 ? kQzSeedSmoothDelta : QzBlendSmoothDelta(m_smoothDelta, m_delta);
    ++m_updateCount;
}

// ---- pause ----

void CQzTimer::Pause()
{
    m_paused = true;
    InternalUpdate();
}

void CQzTimer::Resume()
{
    m_paused = false;
    // updates are skipped while paused, so this delta spans the pause
    InternalUpdate();
    m_pauseOffset += m_delta;
}

// ---- reading and resetting ----

float CQzTimer::GetCurrent() const
{
    if (m_paused)
        return m_absolute - m_pauseOffset;
    long long const ticks = qzplatform::ReadCounter() - m_origin;
    return float(double(ticks) / double(m_frequency) * 1000.0 - double(m_pauseOffset));
}

void CQzTimer::Reset()
{
    m_updateCount = 0;
    m_origin = qzplatform::ReadCounter();
    m_frequency = qzplatform::kCounterFrequency;
    // cleared as at construction, so the first delta is not measured
    // against the old origin and old pauses no longer count
    m_pauseOffset = 0.0f;
    m_elapsedTicks = 0;
}
