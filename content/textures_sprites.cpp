// Particle sprites (stream puff, burst spark, strike bolt) and the beacon glow. Additive, so
// each is a bright shape on black that fades out well inside its square.
#include <cmath>

#include "content/noise.h"
#include "content/textures.h"

namespace content {

namespace {

template <class Shape>
Raster paintSprite(int size, Shape shape) {
    Raster img(size, size);
    paintAll(img, [&](int x, int y) {
        float u = (x + 0.5f) / size * 2 - 1, v = (y + 0.5f) / size * 2 - 1;
        Rgba c = shape(u, v, std::sqrt(u * u + v * v)) * smoothstep(1.0f, 0.8f, std::sqrt(u * u + v * v));
        c.a = 1;
        return c;
    });
    return img;
}

}  // namespace

void paintSpriteTextures(TextureSet& out) {
    // A dim, lumpy puff: the stream overlaps dozens of them.
    out.push_back({"puff.jpg", paintSprite(128, [](float u, float v, float r) {
        float n = 0.75f + 0.25f * fbm(Vec3{u * 3, v * 3, 0.3f}, 501, 4);
        float k = std::exp(-r * r * 4.5f) * n * 0.3f;
        return Rgba{0.45f * k, 0.7f * k, 1.0f * k, 0};
    }), false, 90});
    out.push_back({"spark.jpg", paintSprite(128, [](float, float, float r) {
        float core = std::exp(-r * r * 60), halo = 0.35f * std::exp(-r * 5);
        return Rgba{core + halo, 0.85f * core + 0.55f * halo, 0.6f * core + 0.2f * halo, 0};
    }), false, 90});
    // A four-armed plasma spark; the strike chain rotates it from sprite to sprite.
    out.push_back({"bolt.jpg", paintSprite(128, [](float u, float v, float r) {
        float arms = std::exp(-std::fabs(u) * 40) * std::exp(-std::fabs(v) * 3) +
                     std::exp(-std::fabs(v) * 40) * std::exp(-std::fabs(u) * 3);
        float core = std::exp(-r * r * 30);
        float k = 0.6f * arms + core + 0.15f * std::exp(-r * 4);
        return Rgba{0.55f * k, 0.72f * k, 1.0f * k, 0};
    }), false, 90});
    out.push_back({"beacon.jpg", paintSprite(64, [](float, float, float r) {
        float k = std::exp(-r * r * 40) + 0.3f * std::exp(-r * 6);
        return Rgba{k, k, k, 0};
    }), false, 92});
}

}  // namespace content
