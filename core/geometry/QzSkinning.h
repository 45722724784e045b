// QzSkinning.h: which bone matrices move a vertex and how strongly:
// CQzSkinInfluence (index, weight), CQzSkinInfluenceList (a vertex's
// influences in the order added) and CQzSkinMatrixLUT (the bone matrices,
// not owned). Nothing is sorted, merged, normalised or blended.
#ifndef QZCORE_GEOMETRY_QZSKINNING_H
#define QZCORE_GEOMETRY_QZSKINNING_H

#include "QzApi.h"
#include "foundation/QzArray.h"
#include "math/QzMatrix44.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzSkinInfluence
{
public:
    CQzSkinInfluence() : m_matrixIndex(0), m_weight(0.0f) {}
    CQzSkinInfluence(unsigned int matrixIndex, float weight) : m_matrixIndex(matrixIndex), m_weight(weight) {}
    CQzSkinInfluence(CQzSkinInfluence const&) = default;
    void operator=(CQzSkinInfluence const& other)
    {
        m_matrixIndex = other.m_matrixIndex;
        m_weight = other.m_weight;
    }

    unsigned int getMatrixIndex() const { return m_matrixIndex; }
    void setMatrixIndex(unsigned int index) { m_matrixIndex = index; }
    float getWeight() const { return m_weight; }
    void setWeight(float weight) { m_weight = weight; }

    // A NaN weight is unequal to everything.
    bool operator==(CQzSkinInfluence const& other) const
    {
        return m_matrixIndex == other.m_matrixIndex && m_weight == other.m_weight;
    }
    bool operator!=(CQzSkinInfluence const& other) const { return !(*this == other); }

private:
    unsigned int m_matrixIndex;
    float m_weight;
};

// One thread at a time per list; copies are independent.
class QZ_API CQzSkinInfluenceList
{
public:
    CQzSkinInfluenceList() {}
    CQzSkinInfluenceList(CQzSkinInfluenceList const&) = default;
    CQzSkinInfluenceList(CQzSkinInfluenceList&&) noexcept = default;
    void operator=(CQzSkinInfluenceList const& other) { m_influences = other.m_influences; }
    ~CQzSkinInfluenceList() {}

    // Any number, duplicate indices included.
    void addSkinInfluence(CQzSkinInfluence const& influence) { m_influences.Add(influence); }
    unsigned int getNbSkinInfluences() const { return unsigned(m_influences.GetCount()); }
    // i below the count, unchecked.
    CQzSkinInfluence const& getSkinInfluence(unsigned int i) const { return m_influences[int(i)]; }

private:
    CQzArray<CQzSkinInfluence> m_influences;
};

// The table of bone matrices the influences index. It holds pointers only:
// the matrices belong to the caller. One thread at a time per table.
class QZ_API CQzSkinMatrixLUT
{
public:
    CQzSkinMatrixLUT();
    // Copies the pointers, not the matrices.
    CQzSkinMatrixLUT(CQzSkinMatrixLUT const& other);
    CQzSkinMatrixLUT(CQzSkinMatrixLUT&& other) noexcept;
    void operator=(CQzSkinMatrixLUT const& other);
    ~CQzSkinMatrixLUT();

    // The table becomes n entries long. Above the capacity a buffer of
    // exactly n replaces the old one (entries kept); the buffer never shrinks.
    // Entries never set are null.
    void setNbMatrices(unsigned int n);
    unsigned int getNbMatrices() const { return m_count; }
    // i below the count, unchecked.
    void setMatrix(unsigned int i, CQzMatrix44* matrix) { m_data[i] = matrix; }
    CQzMatrix44* getMatrix(unsigned int i) const { return m_data[i]; }

private:
    void Append(CQzMatrix44* matrix);
    void Free();

    CQzMatrix44** m_data;
    unsigned int m_count;
    unsigned int m_capacity;
    unsigned int m_initialCapacity;
};

#endif // QZCORE_GEOMETRY_QZSKINNING_H
