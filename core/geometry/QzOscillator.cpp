// QzOscillator.cpp: the wave's value, at a given time or the timer's.
#include "geometry/QzOscillator.h"

#include <cmath>

namespace {
constexpr float kTwoPi = 6.2831855f;
}

float CQzOscillator::GetValue(float time) const
{
    return std::cos(m_frequency * kTwoPi * time * 0.001f + m_phase) * m_amplitude + m_offset;
}

float CQzOscillator::GetValue()
{
    m_timer.Update();
    float const time = m_timer.GetAbsolute();
    return std::cos(time * (m_frequency * kTwoPi) * 0.001f + m_phase) * m_amplitude + m_offset;
}
