// Three-float vector of world positions and directions, with the arithmetic the camera,
// keyframes and scene animations share. Single precision storage throughout.
#pragma once

#include <cmath>

namespace tarnel {

class Vector3 {
public:
    // Zeroed rather than left unset, so that a field nobody assigned reads as a defined value.
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    Vector3() = default;
    Vector3(float x_, float y_, float z_) : x(x_), y(y_), z(z_) {}

    void set(float x_, float y_, float z_) {
        x = x_;
        y = y_;
        z = z_;
    }
    float length() const { return std::sqrt(x * x + y * y + z * z); }
};

inline Vector3 operator-(Vector3 v) { return Vector3(-v.x, -v.y, -v.z); }
inline Vector3 operator+(Vector3 a, Vector3 b) { return Vector3(a.x + b.x, a.y + b.y, a.z + b.z); }
inline Vector3 operator-(Vector3 a, Vector3 b) { return Vector3(a.x - b.x, a.y - b.y, a.z - b.z); }
inline Vector3 operator*(Vector3 v, float s) { return Vector3(v.x * s, v.y * s, v.z * s); }
inline Vector3 operator*(float s, Vector3 v) { return v * s; }
inline Vector3 operator/(Vector3 v, float s) { return Vector3(v.x / s, v.y / s, v.z / s); }

inline float dot(Vector3 a, Vector3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

inline Vector3 cross(Vector3 a, Vector3 b) {
    return Vector3(a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x);
}

// No guard: a zero vector gives non-finite components, which callers avoid.
inline Vector3 normalize(Vector3 v) { return v / v.length(); }

}  // namespace tarnel
