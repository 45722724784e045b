// QzRandomValue.cpp: one congruential step per draw, scaled in double
// precision and rounded to float once.
#include "system/QzRandomValue.h"

namespace {

// the float nearest 1/32767 (bits 0x38000100)
constexpr double kInverseMax = double(3.0518509e-5f);

} // namespace

CQzRandomValue::~CQzRandomValue() = default;

int CQzRandomValue::GetNextInt()
{
    // 32-bit wrap-around, done unsigned so that it is defined
    unsigned int const state = (unsigned int)m_state * 1103515245u + 12345u;
    m_state = (int)state;
    return int((state >> 16) & 0x7FFF);
}

float CQzRandomValue::GetNextFloat(float maxValue)
{
    return float(double(GetNextInt()) * double(maxValue) * kInverseMax);
}

float CQzRandomValue::GetNextFloat(float minValue, float maxValue)
{
    return float(double(minValue) + (double(maxValue) - double(minValue)) * double(GetNextInt()) * kInverseMax);
}

float CQzRandomValue::GetNextFloatCentered(float range)
{
    return float((double(GetNextInt()) * kInverseMax - 0.5) * double(range) * 2.0);
}
