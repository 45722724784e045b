// QzWaitEvent.cpp: the polled wait.
#include "system/QzWaitEvent.h"

#include "system/platform/QzPlatformClock.h"

void CQzWaitEvent::Wait() const
{
    while (m_state.load(std::memory_order_acquire) == 0)
        qzplatform::SleepMilliseconds(1);
}
