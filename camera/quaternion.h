// Rotation quaternions (scalar part w last), their conversions to and from column-major
// 4x4 matrices, and spherical interpolation. Storage is float; slerp works in double.
#pragma once

namespace tarnel {

class Quaternion {
public:
    // Zeroed rather than left unset, so that an unassigned quaternion reads as a defined value.
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
    float w = 0.0f;

    Quaternion() = default;
    Quaternion(float x_, float y_, float z_, float w_) : x(x_), y(y_), z(z_), w(w_) {}
    Quaternion(const Quaternion&) = default;
    Quaternion& operator=(const Quaternion&) = default;
    virtual ~Quaternion() = default;

    // Divides all four components by the quaternion's length, in place.
    void normalize();
};

// The rotation held in the upper 3x3 of a column-major matrix: a matrix whose column 0 is a
// direction d gives a quaternion that maps the x axis onto d.
Quaternion fromMatrix(const float m[16]);

// Writes the rotation of q laid out by rows: (out[0], out[4], out[8]) is q applied to the
// x axis and (out[2], out[6], out[10]) is q applied to the z axis. Read as a column-major
// matrix it is the inverse rotation, so fromMatrix(toMatrix(q)) is not q.
void toMatrix(const Quaternion& q, float out[16]);

// Spherical linear interpolation along the shorter arc, not renormalised. t outside 0..1
// extrapolates. Rotations closer than about 51.7 degrees blend linearly.
Quaternion slerp(const Quaternion& a, const Quaternion& b, double t);

// Cubic Bezier on the quaternion sphere by repeated slerp (de Casteljau); not normalised.
Quaternion sphericalBezier(const Quaternion& q0, const Quaternion& c0, const Quaternion& c1,
                           const Quaternion& q1, double t);

}  // namespace tarnel
