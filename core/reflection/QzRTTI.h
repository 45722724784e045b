// QzRTTI.h: CQzRTTI, the run-time type of a client class as two 32-bit
// words: the low and high halves of its class name's identifier CRC.
#ifndef QZCORE_REFLECTION_QZRTTI_H
#define QZCORE_REFLECTION_QZRTTI_H

#include "QzApi.h"
#include "identifier/QzIdentifier.h"

// The class a record's sub type names can be checked against an object's
// CQzRTTI without a string compare. A plain value, copied by assignment;
// any thread may use its own copies.
class QZ_API CQzRTTI
{
public:
    // The null identifier's CRC: no class.
    CQzRTTI() : m_low(0xFFFFFFFFu), m_high(0xFFFFFFFFu) {}
    explicit CQzRTTI(CQzIdentifier const& className)
        : m_low((unsigned int)(className.GetCrc64() & 0xFFFFFFFFu)),
          m_high((unsigned int)(className.GetCrc64() >> 32))
    {
    }

    unsigned long long GetCrc64() const { return ((unsigned long long)m_high << 32) | m_low; }
    // The identifier of the class (its text as the registry holds it).
    CQzIdentifier GetClassIdentifier() const { return CQzIdentifier(GetCrc64()); }
    bool IsNull() const { return m_low == 0xFFFFFFFFu && m_high == 0xFFFFFFFFu; }
    bool IsA(CQzIdentifier const& className) const { return className.GetCrc64() == GetCrc64(); }

    bool operator==(CQzRTTI const& other) const { return m_low == other.m_low && m_high == other.m_high; }
    bool operator!=(CQzRTTI const& other) const { return !(*this == other); }

private:
    unsigned int m_low;
    unsigned int m_high;
};

static_assert(sizeof(CQzRTTI) == 8, "two 32-bit words");

#endif // QZCORE_REFLECTION_QZRTTI_H
