// QzEulerAngles.h: CQzEulerAngles, three rotation angles in radians about
// x, y and z; the rotation order that combines them is the reader's choice
// (CQzMatrix44::ERotationOrder).
#ifndef QZCORE_MATH_QZEULERANGLES_H
#define QZCORE_MATH_QZEULERANGLES_H

#include "QzApi.h"

// A plain value: any thread may use its own copies; nothing is shared.
class QZ_API CQzEulerAngles
{
public:
    // No rotation: all three angles 0.
    CQzEulerAngles() : x(0.0f), y(0.0f), z(0.0f) {}
    CQzEulerAngles(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    float GetX() const { return x; }
    float GetY() const { return y; }
    float GetZ() const { return z; }
    void SetX(float x_) { x = x_; }
    void SetY(float y_) { y = y_; }
    void SetZ(float z_) { z = z_; }
    void SetXYZ(float x_, float y_, float z_) { x = x_; y = y_; z = z_; }

    // Exact, angle by angle: 0 and 2π are different angles here.
    bool operator==(CQzEulerAngles const& e) const { return x == e.x && y == e.y && z == e.z; }
    bool operator!=(CQzEulerAngles const& e) const { return !(*this == e); }

    // Angle by angle; the sum is not a composition of rotations.
    CQzEulerAngles operator+(CQzEulerAngles const& e) const { return CQzEulerAngles(x + e.x, y + e.y, z + e.z); }
    CQzEulerAngles& operator+=(CQzEulerAngles const& e)
    {
        x += e.x; y += e.y; z += e.z;
        return *this;
    }
    CQzEulerAngles& operator-=(CQzEulerAngles const& e)
    {
        x -= e.x; y -= e.y; z -= e.z;
        return *this;
    }

    float x;
    float y;
    float z;
};

#endif // QZCORE_MATH_QZEULERANGLES_H
