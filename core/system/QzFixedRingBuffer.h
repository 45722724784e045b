// QzFixedRingBuffer.h: CQzFixedRingBuffer<T, N>, a first-in first-out ring
// of N values stored inline, for one producer and one consumer thread.
#ifndef QZCORE_SYSTEM_QZFIXEDRINGBUFFER_H
#define QZCORE_SYSTEM_QZFIXEDRINGBUFFER_H

#include <atomic>

// The read and write positions only grow (modulo 2^32); a value lives at
// position % N, so N must divide 2^32. One thread may push while another
// pops: the positions are published with release stores and read with
// acquire loads, so a popped value is seen whole.
template <typename T, unsigned int N>
class CQzFixedRingBuffer
{
    static_assert(N > 0 && (N & (N - 1)) == 0, "the capacity must be a power of two");

public:
    static unsigned int const e_capacity = N;

    CQzFixedRingBuffer() : m_read(0), m_write(0) {}
    CQzFixedRingBuffer(CQzFixedRingBuffer const& other) : m_read(0), m_write(0) { *this = other; }

    // A whole copy: values and positions. Neither ring may be in use by
    // another thread meanwhile.
    CQzFixedRingBuffer& operator=(CQzFixedRingBuffer const& other)
    {
        if (this != &other)
        {
            for (unsigned int i = 0; i < N; ++i)
                m_items[i] = other.m_items[i];
            m_read.store(other.m_read.load(std::memory_order_acquire), std::memory_order_release);
            m_write.store(other.m_write.load(std::memory_order_acquire), std::memory_order_release);
        }
        return *this;
    }

    unsigned int GetCount() const
    {
        return m_write.load(std::memory_order_acquire) - m_read.load(std::memory_order_acquire);
    }
    bool IsEmpty() const { return GetCount() == 0; }
    bool IsFull() const { return GetCount() == N; }

    // Producer side: appends a copy of value, or returns false when full.
    bool Push(T const& value)
    {
        unsigned int const write = m_write.load(std::memory_order_relaxed);
        if (write - m_read.load(std::memory_order_acquire) == N)
            return false;
        m_items[write % N] = value;
        m_write.store(write + 1, std::memory_order_release);
        return true;
    }

    // Consumer side: takes the oldest value, or returns false when empty.
    bool Pop(T& value)
    {
        unsigned int const read = m_read.load(std::memory_order_relaxed);
        if (read == m_write.load(std::memory_order_acquire))
            return false;
        value = m_items[read % N];
        m_read.store(read + 1, std::memory_order_release);
        return true;
    }

private:
    T m_items[N];
    std::atomic<unsigned int> m_read;
    std::atomic<unsigned int> m_write;
};

#endif // QZCORE_SYSTEM_QZFIXEDRINGBUFFER_H
