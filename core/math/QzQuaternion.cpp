// QzQuaternion.cpp: reading a packed quaternion.
#include "math/QzQuaternion.h"

CQzQuaternion& CQzQuaternion::operator=(CQzPackedQuaternion const& packed)
{
    unsigned int const word = packed.word;
    unsigned int const fields[3] = {word & 0x3FFu, (word >> 10) & 0x3FFu, (word >> 20) & 0x3FFu};
    float* const xyz = &x;
    for (int i = 0; i < 3; ++i)
        xyz[i] = float(int(fields[i] | CQzHENDN3::SignExtendZ[fields[i] >> 9])) * 0.0019569471f;

    // w comes back from the unit length; a vector part already longer than
    // one leaves it at +0 whatever the sign bits say.
    float const t = 1.0f - (x * x + y * y + z * z);
    w = 0.0f;
    if (t > 0.0f)
    {
        w = std::sqrt(t);
        if (word & 0xC0000000u)
            w = -w;
    }
    normalize();
    return *this;
}
