// Hash, random stream and gradient noise.
#include "content/noise.h"

#include <algorithm>
#include <cmath>

namespace content {

Vec3 cross(Vec3 a, Vec3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

Vec3 normalize(Vec3 v) {
    float l = std::sqrt(dot(v, v));
    return l > 0 ? v * (1.0f / l) : v;
}

uint32_t hash32(uint32_t x) {
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

uint64_t Random::next() {
    uint64_t z = (state_ += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

float Random::uniform() { return float(next() >> 40) / float(1u << 24); }

Vec3 Random::unitVector() {
    float z = range(-1, 1);
    float a = range(0, 6.2831853f);
    float r = std::sqrt(std::max(0.0f, 1 - z * z));
    return {r * std::cos(a), r * std::sin(a), z};
}

namespace {

// One of twelve cube-edge gradients, picked by hashing the lattice point.
float gradDot(int ix, int iy, int iz, uint32_t seed, float fx, float fy, float fz) {
    uint32_t h = hash32(uint32_t(ix) * 0x8da6b343U ^ uint32_t(iy) * 0xd8163841U ^
                        uint32_t(iz) * 0xcb1ab31fU ^ seed * 0x165667b1U);
    switch (h % 12) {
    case 0: return fx + fy;
    case 1: return -fx + fy;
    case 2: return fx - fy;
    case 3: return -fx - fy;
    case 4: return fx + fz;
    case 5: return -fx + fz;
    case 6: return fx - fz;
    case 7: return -fx - fz;
    case 8: return fy + fz;
    case 9: return -fy + fz;
    case 10: return fy - fz;
    default: return -fy - fz;
    }
}

float fade(float t) { return t * t * t * (t * (t * 6 - 15) + 10); }

}  // namespace

float gradientNoise(Vec3 p, uint32_t seed) {
    float fx0 = std::floor(p.x), fy0 = std::floor(p.y), fz0 = std::floor(p.z);
    int ix = int(fx0), iy = int(fy0), iz = int(fz0);
    float fx = p.x - fx0, fy = p.y - fy0, fz = p.z - fz0;
    float u = fade(fx), v = fade(fy), w = fade(fz);
    float c[8];
    for (int k = 0; k < 8; ++k) {
        int dx = k & 1, dy = (k >> 1) & 1, dz = (k >> 2) & 1;
        c[k] = gradDot(ix + dx, iy + dy, iz + dz, seed, fx - dx, fy - dy, fz - dz);
    }
    float x00 = c[0] + (c[1] - c[0]) * u, x10 = c[2] + (c[3] - c[2]) * u;
    float x01 = c[4] + (c[5] - c[4]) * u, x11 = c[6] + (c[7] - c[6]) * u;
    float y0 = x00 + (x10 - x00) * v, y1 = x01 + (x11 - x01) * v;
    return y0 + (y1 - y0) * w;
}

float fbm(Vec3 p, uint32_t seed, int octaves, float gain) {
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * gradientNoise(p, seed + uint32_t(o) * 101u);
        norm += amp;
        amp *= gain;
        // A small rotation-like shuffle between octaves keeps lattice lines from aligning.
        p = Vec3{p.x * 2.03f + p.z * 0.11f, p.y * 2.01f - p.x * 0.07f, p.z * 1.98f + p.y * 0.13f};
    }
    return sum / norm;
}

float ridged(Vec3 p, uint32_t seed, int octaves, float gain) {
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < octaves; ++o) {
        float n = 1 - std::fabs(gradientNoise(p, seed + uint32_t(o) * 131u));
        sum += amp * n * n;
        norm += amp;
        amp *= gain;
        p = Vec3{p.x * 2.07f + p.y * 0.09f, p.y * 1.97f + p.z * 0.12f, p.z * 2.02f - p.x * 0.1f};
    }
    return sum / norm;
}

Vec3 domainWarp(Vec3 p, uint32_t seed, float amount) {
    Vec3 q{fbm(p * 1.7f, seed, 4), fbm(p * 1.7f + Vec3{5.2f, 1.3f, 2.8f}, seed, 4),
           fbm(p * 1.7f + Vec3{1.7f, 9.2f, 4.1f}, seed, 4)};
    return p + q * amount;
}

Vec3 SphereField::at(int x, int y, int w, int h) const {
    float fx = (x + 0.5f) * w_ / w - 0.5f;
    float fy = std::min(std::max((y + 0.5f) * h_ / h - 0.5f, 0.0f), float(h_ - 1));
    int x0 = int(std::floor(fx)), y0 = int(fy);
    float tx = fx - x0, ty = fy - y0;
    int y1 = std::min(y0 + 1, h_ - 1);
    auto v = [&](int xi, int yi) { return values_[size_t(yi) * w_ + size_t(((xi % w_) + w_) % w_)]; };
    Vec3 a = v(x0, y0) * (1 - tx) + v(x0 + 1, y0) * tx;
    Vec3 b = v(x0, y1) * (1 - tx) + v(x0 + 1, y1) * tx;
    return a * (1 - ty) + b * ty;
}

Vec3 sphereDirection(int x, int y, int w, int h) {
    float lon = (x + 0.5f) / w * 6.2831853f;
    float lat = (0.5f - (y + 0.5f) / h) * 3.14159265f;
    float c = std::cos(lat);
    return {c * std::sin(lon), std::sin(lat), c * std::cos(lon)};
}

}  // namespace content
