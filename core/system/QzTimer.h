// QzTimer.h: CQzTimer, the application clock of a frame loop in
// milliseconds, with pause and resume and a smoothed frame delta.
#ifndef QZCORE_SYSTEM_QZTIMER_H
#define QZCORE_SYSTEM_QZTIMER_H

#include "QzApi.h"

class QZ_API CQzTimer
{
public:
    // Running, all times zero, origin at the counter's current reading.
    CQzTimer();
    CQzTimer(CQzTimer const&) = default;
    CQzTimer& operator=(CQzTimer const&) = default;
    virtual ~CQzTimer();

    // The process-wide clock, created on the first call (safe from several
    // threads at once) and never destroyed.
    static CQzTimer* GetInstance();

    // Once per frame: measures the frame's delta and smooths it; the first
    // update after construction or a reset of the count seeds the smooth
    // delta with one 30 Hz frame. Does nothing while paused.
    void Update();

    void Pause();
    // The pause's length joins the pause offset, so the clock continues
    // from where it stood.
    void Resume();

    // The live clock, read from the counter now, pauses excluded.
    float GetCurrent() const;
    // The clock as of the last update, pauses excluded.
    float GetAbsolute() { return m_absolute - m_pauseOffset; }
    // 0.0 while paused.
    float GetDelta() { return m_paused ? 0.0f : m_delta; }
    float GetSmoothDelta() { return m_paused ? 0.0f : m_smoothDelta; }

    unsigned long long GetUpdateCount() const { return m_updateCount; }
    void ResetUpdateCount() { m_updateCount = 0; }

    // Restarts the clock at zero: origin, update count, pause offset and
    // elapsed ticks return to their constructed values.
    void Reset();

protected:
    // Reads the counter into the elapsed ticks, absolute time and delta.
    void InternalUpdate();

private:
    bool m_paused;
    float m_pauseOffset;
    unsigned long long m_updateCount;
    float m_absolute;
    float m_delta;
    float m_smoothDelta;
    long long m_origin;
    long long m_elapsedTicks;
    long long m_deltaTicks;
    long long m_frequency;
};

#endif // QZCORE_SYSTEM_QZTIMER_H
