// QzTransform.cpp: CQzTransform's setters, the axis masks they apply and the
// rebuilding of the rotation and world matrices.
#include "math/QzTransform.h"

#include <cstddef>
#include <type_traits>

// GetPosition2 views the position's first two floats as a CQzVector2.
static_assert(std::is_standard_layout<CQzVector2>::value && std::is_standard_layout<CQzVector3>::value,
              "vectors are plain float records");
static_assert(offsetof(CQzVector3, y) == offsetof(CQzVector2, y), "x and y lie alike");

namespace {

// The XZY rotation (Ry·Rz·Rx) of the angles, skipping those exactly 0.
void BuildRotation(CQzMatrix44& r, float x, float y, float z)
{
    if (x == 0.0f)
        r.setIdentity();
    else
        r.setRotationX(x);
    if (z != 0.0f)
        r.rotateZ(z);
    if (y != 0.0f)
        r.rotateY(y);
}

// Rows 0 to 2 are the rotation's rows scaled (all four columns), row 3 the
// position.
void BuildWorld(CQzMatrix44& world, CQzMatrix44 const& rotation, CQzVector3 const& scale,
                CQzVector3 const& position)
{
    float const factors[3] = {scale.x, scale.y, scale.z};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 4; ++c)
            world(r, c) = rotation(r, c) * factors[r];
    world.setTranslationOnly(position);
}

void AnglesFromRotation(CQzMatrix44 const& rotation, CQzEulerAngles& angles)
{
    rotation.toEulerAngles(angles.x, angles.y, angles.z, CQzMatrix44::ROTATION_ORDER_XZY);
}

} // namespace

CQzTransform::CQzTransform(EQzAxisFlags flags) : m_axisFlags(flags)
{
    Reset();
}

void CQzTransform::Reset()
{
    m_position.SetNull();
    m_rotation.SetXYZ(0.0f, 0.0f, 0.0f);
    m_rotationMatrix.setIdentity();
    m_scale.SetXYZ(1.0f, 1.0f, 1.0f);
    m_worldLocked = false;
    m_worldMatrix.setIdentity();
}

CQzVector2 const& CQzTransform::GetPosition2() const
{
    return *reinterpret_cast<CQzVector2 const*>(&m_position.x);
}

// ---- position and scale ----

void CQzTransform::SetPosition(float x, float y, float z)
{
    m_position.SetXYZ(Enabled(AXIS_FLAG_X) ? x : 0.0f, Enabled(AXIS_FLAG_Y) ? y : 0.0f,
                      Enabled(AXIS_FLAG_Z) ? z : 0.0f);
    UpdateWorldTM();
}

void CQzTransform::SetPosition2(float x, float y)
{
    if (Enabled(AXIS_FLAG_X))
        m_position.x = x;
    if (Enabled(AXIS_FLAG_Y))
        m_position.y = y;
    UpdateWorldTM();
}

void CQzTransform::Translate(CQzVector3 const& delta)
{
    if (Enabled(AXIS_FLAG_X))
        m_position.x += delta.x;
    if (Enabled(AXIS_FLAG_Y))
        m_position.y += delta.y;
    if (Enabled(AXIS_FLAG_Z))
        m_position.z += delta.z;
    UpdateWorldTM();
}

void CQzTransform::Translate(CQzVector2 const& delta)
{
    m_position.x += delta.x;
    m_position.y += delta.y;
    UpdateWorldTM();
}

void CQzTransform::SetScale(float x, float y, float z)
{
    m_scale.SetXYZ(Enabled(AXIS_FLAG_X) ? x : 1.0f, Enabled(AXIS_FLAG_Y) ? y : 1.0f,
                   Enabled(AXIS_FLAG_Z) ? z : 1.0f);
    UpdateWorldTM();
}

void CQzTransform::SetScale(CQzVector3 const& scale)
{
    m_scale = scale;
    UpdateWorldTM();
}

// ---- rotation ----

void CQzTransform::SetRotation(float x, float y, float z)
{
    m_rotation.SetXYZ(Enabled(AXIS_FLAG_X) ? x : 0.0f, Enabled(AXIS_FLAG_Y) ? y : 0.0f,
                      Enabled(AXIS_FLAG_Z) ? z : 0.0f);
    BuildRotation(m_rotationMatrix, m_rotation.x, m_rotation.y, m_rotation.z);
    // UpdateWorldTM would build the same rotation matrix again.
    if (!m_worldLocked)
        BuildWorld(m_worldMatrix, m_rotationMatrix, m_scale, m_position);
}

void CQzTransform::Rotate(CQzEulerAngles const& delta)
{
    CQzMatrix44 turn;
    BuildRotation(turn, Enabled(AXIS_FLAG_X) ? delta.x : 0.0f, Enabled(AXIS_FLAG_Y) ? delta.y : 0.0f,
                  Enabled(AXIS_FLAG_Z) ? delta.z : 0.0f);
    // turn · rotation: the increment acts in the object's own frame.
    m_rotationMatrix = m_rotationMatrix.MultiplyBugged(turn);
    AnglesFromRotation(m_rotationMatrix, m_rotation);
    UpdateWorldTM();
}

void CQzTransform::SetDirection(CQzVector3 const& direction)
{
    CQzVector3 const target(Enabled(AXIS_FLAG_X) ? -direction.x : 0.0f,
                            Enabled(AXIS_FLAG_Y) ? -direction.y : 0.0f,
                            Enabled(AXIS_FLAG_Z) ? -direction.z : 0.0f);
    // The front axis points away from the direction, so GetDirection gives
    // it back normalised.
    m_rotationMatrix.setLookAtWorld(CQzVector3(0.0f, 0.0f, 0.0f), target, CQzVector3(0.0f, 0.0f, 1.0f));
    AnglesFromRotation(m_rotationMatrix, m_rotation);
    UpdateWorldTM();
}

// ---- world matrix ----

void CQzTransform::SetWorldTM(CQzMatrix44 const& m)
{
    m_worldLocked = true;
    m_worldMatrix = m;
    m_position = m.getTranslation();
    m.ExtractScale(m_scale);
}

void CQzTransform::CombineWith(CQzTransform const& other)
{
    m_worldMatrix = other.m_worldMatrix.MultiplyBugged(m_worldMatrix);
    m_rotationMatrix = other.m_rotationMatrix.MultiplyBugged(m_rotationMatrix);
}

void CQzTransform::UpdateWorldTM()
{
    if (m_worldLocked)
        return;
    BuildRotation(m_rotationMatrix, m_rotation.x, m_rotation.y, m_rotation.z);
    BuildWorld(m_worldMatrix, m_rotationMatrix, m_scale, m_position);
}
