// QzWaitEvent.h: CQzWaitEvent, a flag one thread clears and another sets,
// waited for by polling.
#ifndef QZCORE_SYSTEM_QZWAITEVENT_H
#define QZCORE_SYSTEM_QZWAITEVENT_H

#include "QzApi.h"

#include <atomic>

class QZ_API CQzWaitEvent
{
public:
    // A new event is signalled.
    CQzWaitEvent() : m_state(1) {}
    CQzWaitEvent(CQzWaitEvent const& other) : m_state(other.m_state.load(std::memory_order_acquire)) {}
    CQzWaitEvent& operator=(CQzWaitEvent const& other)
    {
        m_state.store(other.m_state.load(std::memory_order_acquire), std::memory_order_release);
        return *this;
    }

    // Releases every thread in Wait; what the setter wrote before is
    // visible to them.
    void Set() { m_state.store(1, std::memory_order_release); }
    void Clear() { m_state.store(0, std::memory_order_release); }
    // True exactly when signalled (state 1).
    bool Test() const { return m_state.load(std::memory_order_acquire) == 1; }
    // Returns once the state is non-zero, sleeping about 1 ms per poll.
    void Wait() const;

protected:
    // 1 signalled, 0 cleared; Wait accepts any non-zero value
    std::atomic<unsigned int> m_state;
};

#endif // QZCORE_SYSTEM_QZWAITEVENT_H
