// Float RGBA rasters that every texture is painted into before it is encoded, with the
// small set of painting helpers the generators share. Rows run top to bottom.
#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace content {

struct Rgba {
    float r = 0, g = 0, b = 0, a = 1;  // linear 0..1 (values above 1 are clipped on encode)
};

inline Rgba operator+(Rgba x, Rgba y) { return {x.r + y.r, x.g + y.g, x.b + y.b, x.a + y.a}; }
inline Rgba operator*(Rgba x, float k) { return {x.r * k, x.g * k, x.b * k, x.a * k}; }
inline Rgba rgb(float r, float g, float b) { return {r, g, b, 1}; }

// Component-wise blend of colour, alpha kept from the first.
inline Rgba mix(Rgba x, Rgba y, float t) {
    return {x.r + (y.r - x.r) * t, x.g + (y.g - x.g) * t, x.b + (y.b - x.b) * t,
            x.a + (y.a - x.a) * t};
}

inline float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }
inline float smoothstep(float e0, float e1, float x) {
    float t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3 - 2 * t);
}
inline float lerp(float a, float b, float t) { return a + (b - a) * t; }

class Raster {
public:
    Raster() = default;
    Raster(int width, int height, Rgba fill = {0, 0, 0, 1})
        : width_(width), height_(height), pixels_(size_t(width) * height, fill) {}

    int width() const { return width_; }
    int height() const { return height_; }
    Rgba& at(int x, int y) { return pixels_[size_t(y) * width_ + x]; }
    const Rgba& at(int x, int y) const { return pixels_[size_t(y) * width_ + x]; }

    // Additive splat of a soft round spot (Gaussian of the given radius in pixels).
    void addSpot(float cx, float cy, float radius, Rgba colour);

    // Bilinear sample, wrapping in x and clamping in y.
    Rgba sample(float x, float y) const;

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Rgba> pixels_;
};

// Calls paint(x, y) -> Rgba for every pixel, rows shared between two threads.
template <class Paint>
void paintAll(Raster& r, Paint paint);

}  // namespace content

#include "content/raster_paint.inl"
