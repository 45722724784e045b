// QzThread.h: the thread base object, the processor count and thread names.
#ifndef QZCORE_SYSTEM_QZTHREAD_H
#define QZCORE_SYSTEM_QZTHREAD_H

#include "QzApi.h"

// Base of the engine's thread objects; it owns nothing.
class QZ_API CQzThread
{
public:
    CQzThread() : m_flag(false) {}
    CQzThread(CQzThread const&) = default;
    CQzThread& operator=(CQzThread const&) = default;
    virtual ~CQzThread();

protected:
    // free for derived threads' bookkeeping (for example "running")
    bool m_flag;
};

// The number of logical processors (at least 1).
QZ_API unsigned int QzGetProcessorCount();

// Names the calling thread as debuggers and system tools show it (the
// system keeps the first 15 characters). Returns normally without one.
QZ_API void QzSetCurrentThreadName(char const* name);

#endif // QZCORE_SYSTEM_QZTHREAD_H
