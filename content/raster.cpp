// Painting helpers of Raster.
#include "content/raster.h"

namespace content {

void Raster::addSpot(float cx, float cy, float radius, Rgba c) {
    int reach = int(std::ceil(radius * 3));
    float inv = 1.0f / (2 * radius * radius);
    for (int y = int(cy) - reach; y <= int(cy) + reach; ++y) {
        if (y < 0 || y >= height_) continue;
        for (int x = int(cx) - reach; x <= int(cx) + reach; ++x) {
            if (x < 0 || x >= width_) continue;
            float dx = x + 0.5f - cx, dy = y + 0.5f - cy;
            float w = std::exp(-(dx * dx + dy * dy) * inv);
            Rgba& p = at(x, y);
            p.r += c.r * w;
            p.g += c.g * w;
            p.b += c.b * w;
            p.a += c.a * w;
        }
    }
}

Rgba Raster::sample(float x, float y) const {
    x -= 0.5f;
    y = std::min(std::max(y - 0.5f, 0.0f), float(height_ - 1));
    int x0 = int(std::floor(x)), y0 = int(y);
    float fx = x - x0, fy = y - y0;
    auto wrap = [&](int v) { return ((v % width_) + width_) % width_; };
    int y1 = std::min(y0 + 1, height_ - 1);
    Rgba a = mix(at(wrap(x0), y0), at(wrap(x0 + 1), y0), fx);
    Rgba b = mix(at(wrap(x0), y1), at(wrap(x0 + 1), y1), fx);
    return mix(a, b, fy);
}

}  // namespace content
