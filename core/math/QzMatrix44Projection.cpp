// QzMatrix44Projection.cpp: the camera builders of CQzMatrix44: perspective
// and orthographic projections, view matrices and the world orientation
// that points an object's front axis at a target. None validates its input:
// a zero-depth range or a target at the eye gives infinities or zero axes.
#include "math/QzMatrix44.h"

namespace {

// Clears all sixteen elements; the builders then write the ones they use.
void Clear(CQzMatrix44& r)
{
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j)
            r(i, j) = 0.0f;
}

// The camera axes in columns 0 to 2 and the eye moved to the origin.
void SetView(CQzMatrix44& r, CQzVector3 const& eye, CQzVector3 zAxis, CQzVector3 const& up)
{
    zAxis.Normalize();
    CQzVector3 xAxis = up.CrossProduct(zAxis);
    xAxis.Normalize();
    CQzVector3 const yAxis = zAxis.CrossProduct(xAxis);
    r = CQzMatrix44(xAxis.x, yAxis.x, zAxis.x, 0.0f,
                    xAxis.y, yAxis.y, zAxis.y, 0.0f,
                    xAxis.z, yAxis.z, zAxis.z, 0.0f,
                    -xAxis.DotProduct(eye), -yAxis.DotProduct(eye), -zAxis.DotProduct(eye), 1.0f);
}

} // namespace

CQzMatrix44::CQzMatrix44(CQzVector3 const& eye, CQzVector3 const& target, CQzVector3 const& up)
{
    setLookAtLH(eye, target, up);
}

// ---- perspective ----

void CQzMatrix44::setPerpectiveFovLH(float fovY, float aspect, float zNear, float zFar)
{
    float const yScale = std::cos(fovY / 2.0f) / std::sin(fovY / 2.0f);
    Clear(*this);
    m[0] = yScale / aspect;
    m[5] = yScale;
    m[10] = zFar / (zFar - zNear);
    m[11] = 1.0f;
    m[14] = -zNear * zFar / (zFar - zNear);
}

void CQzMatrix44::setPerpectiveFovRH(float fovY, float aspect, float zNear, float zFar)
{
    float const yScale = std::cos(fovY / 2.0f) / std::sin(fovY / 2.0f);
    Clear(*this);
    m[0] = yScale / aspect;
    m[5] = yScale;
    m[10] = zFar / (zNear - zFar);
    m[11] = -1.0f;
    m[14] = zNear * zFar / (zNear - zFar);
}

// ---- orthographic ----

void CQzMatrix44::setOrthographicLH(float width, float height, float zNear, float zFar)
{
    Clear(*this);
    m[0] = 2.0f / width;
    m[5] = 2.0f / height;
    m[10] = 1.0f / (zFar - zNear);
    m[14] = -zNear / (zFar - zNear);
    m[15] = 1.0f;
}

void CQzMatrix44::setOrthographicRH(float width, float height, float zNear, float zFar)
{
    Clear(*this);
    m[0] = 2.0f / width;
    m[5] = 2.0f / height;
    m[10] = 1.0f / (zNear - zFar);
    m[14] = zNear / (zNear - zFar);
    m[15] = 1.0f;
}

// The two off-centre forms differ only in the sign of the depth scale.
void CQzMatrix44::setOrthographicOffCenterLH(float left, float right, float bottom, float top,
                                             float zNear, float zFar)
{
    Clear(*this);
    m[0] = 2.0f / (right - left);
    m[5] = 2.0f / (top - bottom);
    m[10] = 1.0f / (zFar - zNear);
    m[12] = (left + right) / (left - right);
    m[13] = (top + bottom) / (bottom - top);
    m[14] = zNear / (zNear - zFar);
    m[15] = 1.0f;
}

void CQzMatrix44::setOrthographicOffCenterRH(float left, float right, float bottom, float top,
                                             float zNear, float zFar)
{
    setOrthographicOffCenterLH(left, right, bottom, top, zNear, zFar);
    m[10] = 1.0f / (zNear - zFar);
}

// ---- view and orientation ----

void CQzMatrix44::setLookAtLH(CQzVector3 const& eye, CQzVector3 const& target, CQzVector3 const& up)
{
    SetView(*this, eye, target - eye, up);
}

void CQzMatrix44::setLookAtRH(CQzVector3 const& eye, CQzVector3 const& target, CQzVector3 const& up)
{
    SetView(*this, eye, eye - target, up);
}

// All three axes are crossed before any of them is normalised.
void CQzMatrix44::setLookAtWorld(CQzVector3 const& eye, CQzVector3 const& target, CQzVector3 const& up)
{
    CQzVector3 front = target - eye;
    CQzVector3 right = front.CrossProduct(up);
    CQzVector3 upAxis = right.CrossProduct(front);
    front.Normalize();
    right.Normalize();
    upAxis.Normalize();

    CQzMatrix44 rotation(1);
    rotation.setRight(right);
    rotation.setFront(front);
    rotation.setUp(upAxis);
    *this = rotation.MultiplyBugged(makeTranslation(-eye));
}
