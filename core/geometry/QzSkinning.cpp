// QzSkinning.cpp: the bone-matrix table's buffer: growth by appending, the
// exact-size rule of setNbMatrices.
#include "geometry/QzSkinning.h"

#include <utility>

namespace {
constexpr unsigned int kInitialCapacity = 16;
}

CQzSkinMatrixLUT::CQzSkinMatrixLUT() : m_data(nullptr), m_count(0), m_capacity(0), m_initialCapacity(kInitialCapacity) {}

CQzSkinMatrixLUT::CQzSkinMatrixLUT(CQzSkinMatrixLUT const& other) : CQzSkinMatrixLUT()
{
    for (unsigned int i = 0; i < other.m_count; ++i)
        Append(other.m_data[i]);
}

CQzSkinMatrixLUT::CQzSkinMatrixLUT(CQzSkinMatrixLUT&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_count(std::exchange(other.m_count, 0u)),
      m_capacity(std::exchange(other.m_capacity, 0u)), m_initialCapacity(other.m_initialCapacity)
{
}

void CQzSkinMatrixLUT::operator=(CQzSkinMatrixLUT const& other)
{
    if (this == &other)
        return;
    m_count = 0;
    for (unsigned int i = 0; i < other.m_count; ++i)
        Append(other.m_data[i]);
}

CQzSkinMatrixLUT::~CQzSkinMatrixLUT() { Free(); }

void CQzSkinMatrixLUT::setNbMatrices(unsigned int n)
{
    if (n > m_capacity)
    {
        CQzMatrix44** const data = new CQzMatrix44*[n]();
        for (unsigned int i = 0; i < m_count; ++i)
            data[i] = m_data[i];
        delete[] m_data;
        m_data = data;
        m_capacity = n;
    }
    m_count = n;
}

void CQzSkinMatrixLUT::Append(CQzMatrix44* matrix)
{
    if (m_count == m_capacity)
    {
        // the first buffer holds the initial capacity, then growth by a third
        unsigned int const capacity = m_data == nullptr ? m_initialCapacity : (m_capacity * 4 + 4) / 3;
        CQzMatrix44** const data = new CQzMatrix44*[capacity]();
        for (unsigned int i = 0; i < m_count; ++i)
            data[i] = m_data[i];
        delete[] m_data;
        m_data = data;
        m_capacity = capacity;
    }
    m_data[m_count++] = matrix;
}

void CQzSkinMatrixLUT::Free()
{
    delete[] m_data;
    m_data = nullptr;
    m_count = 0;
    m_capacity = 0;
    m_initialCapacity = kInitialCapacity;
}
