// Deterministic noise for the generators: an integer hash, a seeded random stream, 3D gradient
// noise and fractal sums of it. Every texture is painted from these with fixed seeds, so two
// runs of the generator write identical bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace content {

struct Vec3 {
    float x = 0, y = 0, z = 0;
};
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator*(Vec3 a, float k) { return {a.x * k, a.y * k, a.z * k}; }
inline float dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
Vec3 cross(Vec3 a, Vec3 b);
Vec3 normalize(Vec3 v);

uint32_t hash32(uint32_t x);

// A small seeded stream (splitmix-style) for placing stars, craters and notes.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next();
    float uniform();                    // 0 <= r < 1
    float range(float lo, float hi) { return lo + (hi - lo) * uniform(); }
    Vec3 unitVector();                  // uniform on the sphere

private:
    uint64_t state_;
};

// Gradient noise in about -1..1, smooth, period-free; seed picks an independent field.
float gradientNoise(Vec3 p, uint32_t seed);

// Sum of octaves: each octave doubles the frequency and scales the amplitude by gain.
float fbm(Vec3 p, uint32_t seed, int octaves, float gain = 0.5f);

// 1 - |noise| summed the same way: sharp crests for mountain ranges and filaments.
float ridged(Vec3 p, uint32_t seed, int octaves, float gain = 0.5f);

// p moved by a vector-valued fbm field: swirls and folds for coastlines, clouds and gas.
Vec3 domainWarp(Vec3 p, uint32_t seed, float amount);

// Point on the unit sphere for equirectangular texel centre (x, y) of a w x h image whose top
// row is the +y pole and whose s coordinate runs with the longitude, as "meshes\sphere.dat" maps it.
Vec3 sphereDirection(int x, int y, int w, int h);

// A smooth field on the sphere stored as an equirectangular grid of samples: slowly varying
// noise (warps, climate) is evaluated on a coarse grid and read back bilinearly, which costs
// a fraction of evaluating it at every texel.
class SphereField {
public:
    template <class F>
    SphereField(int w, int h, F f) : w_(w), h_(h), values_(size_t(w) * h) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) values_[size_t(y) * w + x] = f(sphereDirection(x, y, w, h));
    }
    // Value at the centre of texel (x, y) of a map of size (w, h), wrapping in longitude.
    Vec3 at(int x, int y, int w, int h) const;

private:
    int w_, h_;
    std::vector<Vec3> values_;
};

}  // namespace content
