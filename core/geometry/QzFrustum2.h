// QzFrustum2.h: CQzFrustum2, the planar frustum: four lines set by the
// caller, without tests.
#ifndef QZCORE_GEOMETRY_QZFRUSTUM2_H
#define QZCORE_GEOMETRY_QZFRUSTUM2_H

#include "QzApi.h"
#include "geometry/QzLinear2.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzFrustum2
{
public:
    enum ELine
    {
        LINE_0 = 0,
        LINE_1 = 1,
        LINE_2 = 2,
        LINE_3 = 3
    };

    CQzFrustum2() {}
    CQzFrustum2(CQzFrustum2 const&) = default;
    CQzFrustum2& operator=(CQzFrustum2 const&) = default;
    virtual ~CQzFrustum2();

    void Set(CQzLine2 const& line0, CQzLine2 const& line1, CQzLine2 const& line2, CQzLine2 const& line3)
    {
        m_lines[0] = line0;
        m_lines[1] = line1;
        m_lines[2] = line2;
        m_lines[3] = line3;
    }
    void SetLine(ELine index, CQzLine2 const& line) { m_lines[index] = line; }
    CQzLine2& GetLine(ELine index) { return m_lines[index]; }
    CQzLine2 const& GetLine(ELine index) const { return m_lines[index]; }

private:
    CQzLine2 m_lines[4];
};

#endif // QZCORE_GEOMETRY_QZFRUSTUM2_H
