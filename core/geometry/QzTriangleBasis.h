// QzTriangleBasis.h: CQzTriangleBasis, an origin with two directions, and
// CQzTriangleDelaunay, a record of fifteen words kept for triangulation data.
#ifndef QZCORE_GEOMETRY_QZTRIANGLEBASIS_H
#define QZCORE_GEOMETRY_QZTRIANGLEBASIS_H

#include "QzApi.h"
#include "math/QzVector3.h"

#include <cstdint>

// Plain values: any thread may use its own copies; nothing is shared.
class QZ_API CQzTriangleBasis
{
public:
    CQzTriangleBasis() {}
    CQzTriangleBasis(CQzVector3 const& origin, CQzVector3 const& dir1, CQzVector3 const& dir2)
        : m_origin(origin), m_dir1(dir1), m_dir2(dir2)
    {
    }
    CQzTriangleBasis(CQzTriangleBasis const&) = default;
    CQzTriangleBasis& operator=(CQzTriangleBasis const&) = default;
    virtual ~CQzTriangleBasis();

    void setOrigin(CQzVector3 const& v) { m_origin = v; }
    CQzVector3 const& getOrigin() const { return m_origin; }
    void setDir1(CQzVector3 const& v) { m_dir1 = v; }
    CQzVector3 const& getDir1() const { return m_dir1; }
    void setDir2(CQzVector3 const& v) { m_dir2 = v; }
    CQzVector3 const& getDir2() const { return m_dir2; }

private:
    CQzVector3 m_origin;
    CQzVector3 m_dir1;
    CQzVector3 m_dir2;
};

// Nothing here reads or fills the fields; they are cleared and copied whole.
class QZ_API CQzTriangleDelaunay
{
public:
    CQzTriangleDelaunay() : m_fields{} {}
    CQzTriangleDelaunay(CQzTriangleDelaunay const&) = default;
    CQzTriangleDelaunay& operator=(CQzTriangleDelaunay const&) = default;

private:
    [[maybe_unused]] std::uintptr_t m_fields[15];
};

#endif // QZCORE_GEOMETRY_QZTRIANGLEBASIS_H
