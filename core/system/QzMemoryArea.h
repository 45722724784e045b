// QzMemoryArea.h: CQzMemoryArea, a growable byte buffer with an alignment,
// and CQzMemoryAreas, the pair of them for a platform's two memory kinds.
#ifndef QZCORE_SYSTEM_QZMEMORYAREA_H
#define QZCORE_SYSTEM_QZMEMORYAREA_H

#include "QzApi.h"
#include "foundation/QzArray.h"

class QZ_API CQzMemoryArea
{
public:
    CQzMemoryArea() : m_bytes(16), m_align(4) {}
    // Copies take the bytes one by one, and the alignment.
    CQzMemoryArea(CQzMemoryArea const& other) = default;
    CQzMemoryArea& operator=(CQzMemoryArea const& other) = default;
    // Frees the bytes (the initial capacity returns to 16).
    ~CQzMemoryArea() { m_bytes.Release(); }

    // Bytes in use.
    unsigned long GetSize() const { return (unsigned long)m_bytes.GetCount(); }
    unsigned long GetAlign() const { return m_align; }

private:
    CQzArray<unsigned char> m_bytes;
    unsigned int m_align;
};

// The first and the second memory kind of a platform.
class QZ_API CQzMemoryAreas
{
public:
    CQzMemoryAreas() = default;
    CQzMemoryAreas(CQzMemoryAreas const&) = default;
    CQzMemoryAreas& operator=(CQzMemoryAreas const&) = default;
    ~CQzMemoryAreas() = default;

private:
    // members are destroyed in reverse: the second area first
    CQzMemoryArea m_first;
    CQzMemoryArea m_second;
};

// The same pair under the names of two console platforms.
class QZ_API CQzMemoryAreas_360 : public CQzMemoryAreas
{
};

class QZ_API CQzMemoryAreas_PS3 : public CQzMemoryAreas
{
};

#endif // QZCORE_SYSTEM_QZMEMORYAREA_H
