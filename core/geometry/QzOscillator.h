// QzOscillator.h: CQzOscillator, a cosine wave over time in milliseconds,
// driven by its own timer.
#ifndef QZCORE_GEOMETRY_QZOSCILLATOR_H
#define QZCORE_GEOMETRY_QZOSCILLATOR_H

#include "QzApi.h"
#include "system/QzTimer.h"

// One thread at a time per oscillator (GetValue() updates its timer).
class QZ_API CQzOscillator
{
public:
    // A fresh timer; amplitude, offset, frequency and phase 0.
    CQzOscillator() : m_amplitude(0.0f), m_offset(0.0f), m_frequency(0.0f), m_phase(0.0f) {}
    CQzOscillator(CQzOscillator const&) = default;
    CQzOscillator& operator=(CQzOscillator const&) = default;
    ~CQzOscillator() {}

    // Frequency in cycles per second, phase in radians.
    void Set(float amplitude, float offset, float frequency, float phase)
    {
        m_amplitude = amplitude;
        m_offset = offset;
        m_frequency = frequency;
        m_phase = phase;
    }
    // cos(frequency · 2π · time · 0.001 + phase) · amplitude + offset, time in ms.
    float GetValue(float time) const;
    // The same at the timer's time, after updating it.
    float GetValue();

private:
    CQzTimer m_timer;
    float m_amplitude;
    float m_offset;
    float m_frequency;
    float m_phase;
};

#endif // QZCORE_GEOMETRY_QZOSCILLATOR_H
