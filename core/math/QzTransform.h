// QzTransform.h: CQzTransform, an object's position, Euler rotation and
// scale together with the rotation and world matrices derived from them,
// optionally confined to some axes.
#ifndef QZCORE_MATH_QZTRANSFORM_H
#define QZCORE_MATH_QZTRANSFORM_H

#include "QzApi.h"
#include "math/QzEulerAngles.h"
#include "math/QzMatrix44.h"
#include "math/QzVector2.h"
#include "math/QzVector3.h"

// The components a transform's setters may write; any combination.
enum EQzAxisFlags
{
    AXIS_FLAG_X = 1,
    AXIS_FLAG_Y = 2,
    AXIS_FLAG_Z = 4
};

// Every setter writes the parts, then rebuilds the rotation matrix (Euler
// order XZY: Ry·Rz·Rx) and the world matrix (scale, rotation, translation),
// unless the world matrix is locked. A plain value: one thread at a time.
class QZ_API CQzTransform
{
public:
    // At the origin, unrotated, unit scale, unlocked.
    explicit CQzTransform(EQzAxisFlags flags);

    // Back to the constructor's state; the axis flags stay, the lock goes.
    void Reset();

    // ---- reading ----

    CQzVector3& GetPosition() { return m_position; }
    CQzVector3 const& GetPosition() const { return m_position; }
    // The position's x and y seen in place as a planar vector.
    CQzVector2 const& GetPosition2() const;
    CQzEulerAngles& GetRotation() { return m_rotation; }
    CQzEulerAngles const& GetRotation() const { return m_rotation; }
    CQzMatrix44 const& GetRotationMatrix() const { return m_rotationMatrix; }
    CQzVector3 const& GetScale() const { return m_scale; }
    CQzMatrix44 const& GetWorldTM() const { return m_worldMatrix; }
    bool IsWorldTMLocked() const { return m_worldLocked; }
    // The way the object faces: its front axis (row 1) negated.
    CQzVector3 GetDirection() const { return -m_rotationMatrix.getFront(); }

    // ---- position and scale (components outside the flags: see each) ----

    // Disabled components become 0.
    void SetPosition(float x, float y, float z);
    void SetPosition(CQzVector3 const& position) { SetPosition(position.x, position.y, position.z); }
    // Disabled components keep their value; z is never touched.
    void SetPosition2(float x, float y);
    // Disabled components are not moved.
    void Translate(CQzVector3 const& delta);
    // x and y move whatever the flags.
    void Translate(CQzVector2 const& delta);
    // Disabled components become 1.
    void SetScale(float x, float y, float z);
    // All three taken whatever the flags.
    void SetScale(CQzVector3 const& scale);

    // ---- rotation ----

    // Disabled angles become 0; the rotation matrix follows even while the
    // world matrix is locked.
    void SetRotation(float x, float y, float z);
    void SetRotation(CQzEulerAngles const& rotation) { SetRotation(rotation.x, rotation.y, rotation.z); }
    // Turns about the object's own axes by the enabled delta angles, then
    // reads the angles back from the turned matrix.
    void Rotate(CQzEulerAngles const& delta);
    // Faces the enabled components of direction (up hint +z) and reads the
    // angles back from the resulting matrix.
    void SetDirection(CQzVector3 const& direction);
    // Replaces the rotation matrix only: the angles and the world matrix
    // stay until the next setter rebuilds them from the angles.
    void SetRotationMatrix(CQzMatrix44 const& rotation) { m_rotationMatrix = rotation; }

    // ---- world matrix ----

    // Locks the world matrix at m and takes position and scale from it; the
    // angles and the rotation matrix stay.
    void SetWorldTM(CQzMatrix44 const& m);
    // other is the parent frame: world = this world · other world, and the
    // same for the rotation matrices; the parts and the lock stay.
    void CombineWith(CQzTransform const& other);
    void LockWorldTM() { m_worldLocked = true; }
    // Rebuilds nothing: the world matrix stays as it is until the next setter.
    void UnlockWorldTM() { m_worldLocked = false; }
    // Rebuilds the rotation and world matrices from the parts, unless locked.
    void UpdateWorldTM();

private:
    bool Enabled(int flag) const { return (m_axisFlags & flag) != 0; }

    CQzVector3 m_position;
    CQzEulerAngles m_rotation;
    CQzMatrix44 m_rotationMatrix;
    CQzVector3 m_scale;
    bool m_worldLocked;
    CQzMatrix44 m_worldMatrix;
    EQzAxisFlags m_axisFlags;
};

#endif // QZCORE_MATH_QZTRANSFORM_H
