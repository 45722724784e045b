// QzRefCount.h: CQzRefCount, the intrusive reference counter base (not
// synchronised: an object shared between threads is guarded by its owner).
#ifndef QZCORE_SYSTEM_QZREFCOUNT_H
#define QZCORE_SYSTEM_QZREFCOUNT_H

#include "QzApi.h"

class QZ_API CQzRefCount
{
public:
    CQzRefCount() : m_count(0) {}
    CQzRefCount(CQzRefCount const&) = default;
    CQzRefCount& operator=(CQzRefCount const&) = default;
    virtual ~CQzRefCount();

    // Each returns the new count; nothing is clamped at zero.
    int IncRefCount() { return ++m_count; }
    int DecRefCount() { return --m_count; }
    int AddRefCount(int n) { return m_count += n; }
    int SubRefCount(int n) { return m_count -= n; }
    int GetRefCount() { return m_count; }

private:
    int m_count;
};

#endif // QZCORE_SYSTEM_QZREFCOUNT_H
