// QzRandomValue.h: CQzRandomValue, a seeded linear congruential generator
// with integer and float draws.
#ifndef QZCORE_SYSTEM_QZRANDOMVALUE_H
#define QZCORE_SYSTEM_QZRANDOMVALUE_H

#include "QzApi.h"

class QZ_API CQzRandomValue
{
public:
    CQzRandomValue() : m_state(0) {}
    explicit CQzRandomValue(int seed) : m_state(seed) {}
    CQzRandomValue(CQzRandomValue const&) = default;
    CQzRandomValue& operator=(CQzRandomValue const&) = default;
    virtual ~CQzRandomValue();

    void Reseed(int seed) { m_state = seed; }

    // Every draw advances the generator by one step.
    // 0 to 32767, both included.
    int GetNextInt();
    // 0 to maxValue, both included.
    float GetNextFloat(float maxValue);
    // minValue to maxValue, both included.
    float GetNextFloat(float minValue, float maxValue);
    // -range to +range, both included.
    float GetNextFloatCentered(float range);

private:
    int m_state;
};

#endif // QZCORE_SYSTEM_QZRANDOMVALUE_H
