// QzArray.h: CQzArray<T>, the library's one growable array: contiguous,
// insertion-ordered, growing by about a third when full.
#ifndef QZCORE_FOUNDATION_QZARRAY_H
#define QZCORE_FOUNDATION_QZARRAY_H

#include <climits>
#include <new>
#include <utility>

template <typename T>
class CQzArray
{
public:
    // The first buffer, allocated by the first Add, holds initialCapacity
    // elements (at least one).
    explicit CQzArray(int initialCapacity = 16)
        : m_data(nullptr), m_count(0), m_capacity(0),
          m_initialCapacity(initialCapacity > 0 ? initialCapacity : 1)
    {
    }

    // A copy takes the source's initial capacity and its elements.
    CQzArray(CQzArray const& other)
        : m_data(nullptr), m_count(0), m_capacity(0), m_initialCapacity(other.m_initialCapacity)
    {
        AppendAll(other);
    }

    CQzArray(CQzArray&& other) noexcept
        : m_data(other.m_data), m_count(other.m_count), m_capacity(other.m_capacity),
          m_initialCapacity(other.m_initialCapacity)
    {
        other.m_data = nullptr;
        other.m_count = 0;
        other.m_capacity = 0;
        other.m_initialCapacity = kDefaultCapacity;
    }

    // Assignment reuses this array's buffer and keeps its initial capacity.
    CQzArray& operator=(CQzArray const& other)
    {
        if (this != &other)
        {
            m_count = 0;
            AppendAll(other);
        }
        return *this;
    }

    CQzArray& operator=(CQzArray&& other) noexcept
    {
        if (this != &other)
        {
            Release();
            std::swap(m_data, other.m_data);
            std::swap(m_count, other.m_count);
            std::swap(m_capacity, other.m_capacity);
            std::swap(m_initialCapacity, other.m_initialCapacity);
        }
        return *this;
    }

    ~CQzArray() { delete[] m_data; }

    // ---- elements ----

    void Add(T const& element)
    {
        if (m_count == m_capacity)
        {
            // element may live in the buffer that growing frees
            T copy(element);
            Grow();
            m_data[m_count++] = std::move(copy);
            return;
        }
        m_data[m_count++] = element;
    }

    // No bounds check: callers keep index within [0, GetCount()).
    T& operator[](int index) { return m_data[index]; }
    T const& operator[](int index) const { return m_data[index]; }

    // Removes the first element equal to value, keeping the order of the
    // rest; a value not in the array leaves it unchanged.
    void Remove(T const& value)
    {
        for (int i = 0; i < m_count; ++i)
        {
            if (m_data[i] == value)
            {
                for (int j = i + 1; j < m_count; ++j)
                    m_data[j - 1] = std::move(m_data[j]);
                --m_count;
                return;
            }
        }
    }

    // Forgets the elements but keeps the buffer for the next Adds.
    void RemoveAll() { m_count = 0; }

    // Frees the buffer and returns to the default initial capacity.
    void Release()
    {
        delete[] m_data;
        m_data = nullptr;
        m_count = 0;
        m_capacity = 0;
        m_initialCapacity = kDefaultCapacity;
    }

    // ---- queries ----

    int GetCount() const { return m_count; }
    int GetCapacity() const { return m_capacity; }
    int GetInitialCapacity() const { return m_initialCapacity; }
    T* GetData() { return m_data; }
    T const* GetData() const { return m_data; }

private:
    static constexpr int kDefaultCapacity = 16;

    void AppendAll(CQzArray const& other)
    {
        for (int i = 0; i < other.m_count; ++i)
            Add(other.m_data[i]);
    }

    void Grow()
    {
        if (m_data == nullptr)
        {
            m_data = new T[m_initialCapacity];
            m_count = 0;
            m_capacity = m_initialCapacity;
            return;
        }
        // (capacity * 4 + 4) / 3, saturated so the request fails in the
        // allocator instead of wrapping to a small buffer
        long long const grown = ((long long)m_capacity * 4 + 4) / 3;
        int const capacity = grown > INT_MAX ? INT_MAX : int(grown);
        if (capacity <= m_capacity)
            throw std::bad_alloc();
        T* data = new T[capacity];
        for (int i = 0; i < m_count; ++i)
            data[i] = std::move(m_data[i]);
        delete[] m_data;
        m_data = data;
        m_capacity = capacity;
    }

    T* m_data;
    int m_count;
    int m_capacity;
    int m_initialCapacity;
};

#endif // QZCORE_FOUNDATION_QZARRAY_H
