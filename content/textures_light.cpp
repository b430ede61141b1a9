// Light sources and what the lens makes of them: the sun's surface and its two flickering
// layers, the glow around it, the flare sprite, the three lens textures (ghost disc, ghost
// ring, streak) and the halo that rings the planet. All are drawn additively, so black is
// transparent and every sprite fades to black before its border.
#include <cmath>

#include "content/noise.h"
#include "content/textures.h"

namespace content {

namespace {

const float kPi = 3.14159265f;

// Paints a square sprite from a function of (radius 0..1 at the border, angle).
template <class Shape>
Raster paintRadial(int size, Shape shape) {
    Raster img(size, size);
    paintAll(img, [&](int x, int y) {
        float u = (x + 0.5f) / size * 2 - 1, v = (y + 0.5f) / size * 2 - 1;
        Rgba c = shape(std::sqrt(u * u + v * v), std::atan2(v, u));
        c.a = 1;
        return c;
    });
    return img;
}

Raster paintSunSurface(int w, int h, uint32_t seed, float contrast, bool spotsOnly) {
    Raster img(w, h);
    paintAll(img, [&](int x, int y) {
        Vec3 p = sphereDirection(x, y, w, h);
        float cells = ridged(p * 22.0f, seed, 3, 0.45f);
        float large = fbm(domainWarp(p * 3.0f, seed + 1, 0.6f), seed + 2, 5);
        if (spotsOnly) {
            // A flickering layer: bright faculae only, black between them.
            float k = smoothstep(0.25f, 0.6f, large) * (0.4f + 0.6f * cells) * contrast;
            return Rgba{k, k * 0.8f, k * 0.45f, 1};
        }
        float k = 0.78f + contrast * (0.25f * cells + 0.2f * large);
        return Rgba{k * 1.05f, k * 0.8f, k * 0.42f, 1};
    });
    return img;
}

Rgba warmGlow(float k) {
    return Rgba{1.0f, 0.82f + 0.18f * k, 0.55f + 0.45f * k, 0};
}

Raster paintGlow(int size) {
    return paintRadial(size, [](float r, float) {
        float core = std::exp(-r * r * 90);
        float halo = 0.5f * std::exp(-r * 7) + 0.18f * std::exp(-r * 2.6f);
        float k = (core + halo) * smoothstep(1.0f, 0.8f, r);
        return warmGlow(clamp01(core * 2)) * k;
    });
}

Raster paintFlare(int size) {
    return paintRadial(size, [](float r, float a) {
        float core = std::exp(-r * r * 250) + 0.35f * std::exp(-r * 9);
        // Six long spikes and six short ones between them, and a faint ring.
        float spikes = std::pow(std::fabs(std::cos(a * 3)), 220.0f) * std::exp(-r * 2.8f) * 0.9f +
                       std::pow(std::fabs(std::cos(a * 3 + kPi / 2)), 300.0f) * std::exp(-r * 6) * 0.5f;
        float ring = 0.06f * std::exp(-std::pow((r - 0.62f) / 0.03f, 2.0f));
        float k = (core + spikes + ring) * smoothstep(1.0f, 0.85f, r);
        Rgba c = warmGlow(clamp01(core * 1.5f)) * k;
        c = c + Rgba{0.2f, 0.5f, 1.0f, 0} * ring;
        return c;
    });
}

// Ghost disc: a soft hexagonal aperture image with a brighter rim.
Raster paintGhostDisc(int size) {
    return paintRadial(size, [](float r, float a) {
        float sector = std::fmod(a + kPi * 2 + kPi / 6, kPi / 3) - kPi / 6;
        float edge = 0.86f * std::cos(kPi / 6) / std::cos(sector);  // hexagon radius here
        float inside = smoothstep(edge + 0.03f, edge - 0.03f, r);
        float rim = std::exp(-std::pow((r - edge * 0.94f) / 0.05f, 2.0f));
        float k = inside * (0.22f + 0.15f * r) + 0.22f * rim * inside;
        return Rgba{k, k, k, 0};
    });
}

// Ghost ring: a thin circle with a faint inner wash.
Raster paintGhostRing(int size) {
    return paintRadial(size, [](float r, float) {
        float ring = std::exp(-std::pow((r - 0.78f) / 0.045f, 2.0f));
        float wash = 0.12f * smoothstep(0.8f, 0.2f, r);
        float k = (0.55f * ring + wash) * smoothstep(0.98f, 0.9f, r);
        // A touch of spectral fringe at the ring's edges.
        return Rgba{k * (1 + 0.3f * std::exp(-std::pow((r - 0.82f) / 0.03f, 2.0f))), k,
                    k * (1 + 0.4f * std::exp(-std::pow((r - 0.74f) / 0.03f, 2.0f))), 0};
    });
}

// Streak: long along t (the line from the light to the screen centre), thin across s.
Raster paintStreak(int size) {
    Raster img(size, size);
    paintAll(img, [&](int x, int y) {
        float s = (x + 0.5f) / size * 2 - 1, t = (y + 0.5f) / size * 2 - 1;
        float across = std::exp(-s * s / 0.0018f) + 0.25f * std::exp(-s * s / 0.02f);
        float along = std::pow(std::max(0.0f, 1 - t * t), 2.0f);
        float k = across * along * 0.9f;
        return Rgba{k, k, k, 1};
    });
    return img;
}

// Halo that rings the planet: the planet is drawn over its inner part, so only the glow
// outside the silhouette (at about 0.76 of the half-size) shows.
Raster paintHalo(int size) {
    return paintRadial(size, [](float r, float) {
        float d = r - 0.74f;
        float k = d < 0 ? std::exp(-d * d / 0.0008f) : std::exp(-d * 9) * (0.7f + 0.3f * std::exp(-d * 40));
        k *= smoothstep(1.0f, 0.9f, r) * 0.55f;
        return Rgba{0.35f * k, 0.62f * k, 1.0f * k, 0};
    });
}

}  // namespace

void paintLightTextures(TextureSet& out) {
    out.push_back({"sun.jpg", paintSunSurface(512, 256, 401, 1.0f, false), false, 90});
    out.push_back({"sunflare1.jpg", paintSunSurface(512, 256, 409, 0.8f, true), false, 90});
    out.push_back({"sunflare2.jpg", paintSunSurface(512, 256, 419, 0.8f, true), false, 90});
    out.push_back({"glow.jpg", paintGlow(256), false, 92});
    out.push_back({"flare.jpg", paintFlare(512), false, 92});
    out.push_back({"ghost.jpg", paintGhostRing(256), false, 92});
    out.push_back({"ghostdisc.jpg", paintGhostDisc(256), false, 92});
    out.push_back({"streak.jpg", paintStreak(256), false, 92});
    out.push_back({"halo.jpg", paintHalo(512), false, 92});
}

}  // namespace content
