// Quaternion conversions and interpolation. The layouts of fromMatrix and toMatrix differ on
// purpose: the camera builds keys from basis matrices and reads its axes back by stride 4.
#include "camera/quaternion.h"

#include <cmath>

namespace tarnel {

void Quaternion::normalize() {
    double length = std::sqrt(double(x) * x + double(y) * y + double(z) * z + double(w) * w);
    x = float(x / length);
    y = float(y / length);
    z = float(z / length);
    w = float(w / length);
}

Quaternion fromMatrix(const float m[16]) {
    Quaternion q;
    float trace = m[0] + m[5] + m[10];
    if (trace > 0.0f) {
        float s = std::sqrt(trace + 1.0f);
        q.w = s / 2.0f;
        s = 0.5f / s;
        q.x = (m[6] - m[9]) * s;
        q.y = (m[8] - m[2]) * s;
        q.z = (m[1] - m[4]) * s;
        return q;
    }
    // The largest diagonal element picks the component that is computed first; strict
    // comparisons keep the earlier index on ties.
    static constexpr int kNext[3] = {1, 2, 0};
    int i = 0;
    if (m[5] > m[0]) i = 1;
    if (m[10] > m[i * 5]) i = 2;
    int j = kNext[i];
    int k = kNext[j];
    float axis[3] = {0.0f, 0.0f, 0.0f};
    float s = std::sqrt(m[i * 5] - (m[j * 5] + m[k * 5]) + 1.0f);
    axis[i] = s * 0.5f;
    if (s != 0.0f) s = 0.5f / s;
    q.w = (m[j * 4 + k] - m[k * 4 + j]) * s;
    axis[j] = (m[i * 4 + j] + m[j * 4 + i]) * s;
    axis[k] = (m[i * 4 + k] + m[k * 4 + i]) * s;
    q.x = axis[0];
    q.y = axis[1];
    q.z = axis[2];
    return q;
}

void toMatrix(const Quaternion& q, float out[16]) {
    float xx = 2.0f * q.x * q.x, yy = 2.0f * q.y * q.y, zz = 2.0f * q.z * q.z;
    float xy = 2.0f * q.x * q.y, xz = 2.0f * q.x * q.z, yz = 2.0f * q.y * q.z;
    float wx = 2.0f * q.w * q.x, wy = 2.0f * q.w * q.y, wz = 2.0f * q.w * q.z;
    const float values[16] = {
        1.0f - (yy + zz), xy - wz,          xz + wy,          0.0f,
        xy + wz,          1.0f - (xx + zz), yz - wx,          0.0f,
        xz - wy,          yz + wx,          1.0f - (xx + yy), 0.0f,
        0.0f,             0.0f,             0.0f,             1.0f,
    };
    for (int e = 0; e < 16; ++e) out[e] = values[e];
}

Quaternion slerp(const Quaternion& a, const Quaternion& b, double t) {
    double bx = b.x, by = b.y, bz = b.z, bw = b.w;
    double cosine = double(a.x) * bx + double(a.y) * by + double(a.z) * bz + double(a.w) * bw;
    if (cosine < 0.0) {
        cosine = -cosine;
        bx = -bx;
        by = -by;
        bz = -bz;
        bw = -bw;
    }
    double s0, s1;
    if (1.0 - cosine > 0.1) {
        double omega = std::acos(cosine);
        double sinOmega = std::sin(omega);
        s0 = std::sin((1.0 - t) * omega) / sinOmega;
        s1 = std::sin(t * omega) / sinOmega;
    } else {
        s0 = 1.0 - t;
        s1 = t;
    }
    return Quaternion(float(s0 * a.x + s1 * bx), float(s0 * a.y + s1 * by),
                      float(s0 * a.z + s1 * bz), float(s0 * a.w + s1 * bw));
}

Quaternion sphericalBezier(const Quaternion& q0, const Quaternion& c0, const Quaternion& c1,
                           const Quaternion& q1, double t) {
    Quaternion a = slerp(q0, c0, t);
    Quaternion b = slerp(c0, c1, t);
    Quaternion c = slerp(c1, q1, t);
    Quaternion d = slerp(a, b, t);
    Quaternion e = slerp(b, c, t);
    return slerp(d, e, t);
}

}  // namespace tarnel
