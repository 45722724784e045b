// QzThread.cpp: the thread base object and the thread services.
#include "system/QzThread.h"

#include "system/platform/QzPlatformThread.h"

CQzThread::~CQzThread() = default;

unsigned int QzGetProcessorCount()
{
    return qzplatform::ProcessorCount();
}

void QzSetCurrentThreadName(char const* name)
{
    qzplatform::SetCurrentThreadName(name);
}
