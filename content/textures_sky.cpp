// The star field (a cube-face atlas seen from inside the sky shell) and the nebula
// billboards. Stars are placed by direction, so they keep their shape on every face and
// cross face borders without a seam; the galactic band is a noise-shaped great circle.
#include <cmath>

#include "content/noise.h"
#include "content/sky_atlas.h"
#include "content/textures.h"

namespace content {

namespace {

constexpr int kCell = 1024, kMargin = 8;  // must match the sky mesh

const Vec3 kGalacticPole = normalize(Vec3{0.35f, 0.82f, -0.45f});
const Vec3 kGalacticCentre = normalize(cross(kGalacticPole, Vec3{0, 0, 1}));

// Faint light of the band: unresolved stars, dust lanes, a brighter bulge, a few glowing clouds.
Rgba bandLight(Vec3 d) {
    float lat = dot(d, kGalacticPole);
    float spread = 0.16f + 0.05f * fbm(d * 3.0f, 201, 3);
    float band = std::exp(-lat * lat / (spread * spread));
    if (band < 0.004f) return {0, 0, 0, 1};
    float bulge = std::exp(-(1 - dot(d, kGalacticCentre)) * 3.5f);
    float clumps = 0.6f + 0.4f * fbm(d * 9.0f, 203, 5, 0.6f);
    float dust = smoothstep(0.45f, 0.85f, ridged(d * 5.0f + Vec3{0, lat * 8, 0}, 207, 5, 0.55f));
    float lanes = 1 - 0.75f * dust * std::exp(-lat * lat / 0.004f) - 0.3f * dust;
    float k = band * (0.55f + 1.4f * bulge) * clumps * lanes;
    Rgba c = mix(rgb(0.085f, 0.09f, 0.11f), rgb(0.14f, 0.12f, 0.09f), bulge);
    c = c * k;
    // Emission clouds strung along the band.
    float glow = smoothstep(0.35f, 0.7f, fbm(d * 4.0f, 211, 5)) * band;
    c = c + Rgba{0.07f, 0.02f, 0.035f, 0} * glow + Rgba{0.0f, 0.025f, 0.05f, 0} *
        (smoothstep(0.4f, 0.75f, fbm(d * 3.0f, 213, 5)) * band);
    c.a = 1;
    return c;
}

struct StarColour {
    float r, g, b;
};

StarColour starColour(float u) {
    // Mostly white and pale yellow, some blue, a few orange and red.
    if (u < 0.18f) return {0.72f, 0.82f, 1.0f};
    if (u < 0.55f) return {1.0f, 0.98f, 0.95f};
    if (u < 0.8f) return {1.0f, 0.92f, 0.78f};
    if (u < 0.95f) return {1.0f, 0.78f, 0.55f};
    return {1.0f, 0.62f, 0.45f};
}

void splatStar(Raster& sky, Vec3 d, float radius, Rgba colour) {
    float inner = float(kCell - 2 * kMargin);
    for (int face = 0; face < kSkyFaces; ++face) {
        SkyFace f = skyFace(face);
        float z = dot(d, f.centre);
        if (z <= 0.3f) continue;
        float a = dot(d, f.right) / z, b = dot(d, f.up) / z;
        float px = (a + 1) * 0.5f * inner + kMargin, py = (1 - b) * 0.5f * inner + kMargin;
        if (px < -4 || py < -4 || px > kCell + 4 || py > kCell + 4) continue;
        // Splat into a cell-sized scratch window so no star spills into a neighbouring cell.
        int column = face % kSkyColumns, row = face / kSkyColumns;
        int reach = int(std::ceil(radius * 3));
        float inv = 1.0f / (2 * radius * radius);
        for (int y = int(py) - reach; y <= int(py) + reach; ++y) {
            if (y < 0 || y >= kCell) continue;
            for (int x = int(px) - reach; x <= int(px) + reach; ++x) {
                if (x < 0 || x >= kCell) continue;
                float dx = x + 0.5f - px, dy = y + 0.5f - py;
                float wgt = std::exp(-(dx * dx + dy * dy) * inv);
                Rgba& p = sky.at(column * kCell + x, row * kCell + y);
                p.r += colour.r * wgt;
                p.g += colour.g * wgt;
                p.b += colour.b * wgt;
            }
        }
    }
}

Raster paintStarField() {
    // The band's light is smooth at the scale of a texel: paint it at half resolution.
    Raster band(kCell / 2 * kSkyColumns, kCell / 2 * kSkyRows);
    paintAll(band, [](int x, int y) {
        Vec3 d;
        if (!skyDirection(x, y, kCell / 2, kMargin / 2, d)) return Rgba{0, 0, 0, 1};
        return bandLight(d);
    });
    Raster sky(kCell * kSkyColumns, kCell * kSkyRows);
    paintAll(sky, [&](int x, int y) {
        Vec3 d;
        if (!skyDirection(x, y, kCell, kMargin, d)) return Rgba{0, 0, 0, 1};
        Rgba c = rgb(0.004f, 0.005f, 0.011f) + band.sample(x * 0.5f, y * 0.5f);
        // Dust of faint single-texel stars, denser in the band.
        float lat = dot(d, kGalacticPole);
        uint32_t hsh = hash32(uint32_t(y) * 7919u + uint32_t(x) * 104729u + 17u);
        float density = 0.004f + 0.02f * std::exp(-lat * lat / 0.03f);
        float u = float(hsh & 0xFFFFFF) / float(0x1000000);
        if (u < density) {
            float k = 0.06f + 0.22f * float((hsh >> 24) & 0xFF) / 255.0f * (u / density);
            c = c + Rgba{k, k, k * 1.05f, 0};
        }
        c.a = 1;
        return c;
    });
    Random rnd(223);
    for (int i = 0; i < 12000; ++i) {
        Vec3 d = rnd.unitVector();
        // Cluster a share of the stars towards the band.
        if (rnd.uniform() < 0.35f) {
            float lat = dot(d, kGalacticPole);
            d = normalize(d - kGalacticPole * (lat * 0.8f));
        }
        float m = rnd.uniform();
        float bright = 0.05f + 2.8f * std::pow(m, 12.0f) + 0.3f * m * m * m;
        StarColour sc = starColour(rnd.uniform());
        float radius = 0.55f + 0.5f * std::pow(m, 6.0f);
        splatStar(sky, d, radius, Rgba{sc.r, sc.g, sc.b, 0} * bright);
        if (bright > 1.2f)  // a soft halo for the brightest few
            splatStar(sky, d, radius * 3.5f, Rgba{sc.r, sc.g, sc.b, 0} * (0.04f * bright));
    }
    return sky;
}

// A nebula billboard: warped wisps in two tints, black at the border of the quad.
Raster paintNebula(int size, uint32_t seed, Rgba inner, Rgba outer) {
    Raster img(size, size);
    paintAll(img, [&](int x, int y) {
        float u = (x + 0.5f) / size * 2 - 1, v = (y + 0.5f) / size * 2 - 1;
        float r = std::sqrt(u * u + v * v);
        Vec3 p{u * 1.6f, v * 1.6f, float(seed % 7)};
        Vec3 q = domainWarp(p, seed, 0.8f);
        float n = fbm(q * 1.5f, seed + 1, 7, 0.55f);
        float wisps = ridged(q * 2.0f, seed + 2, 5, 0.5f);
        float mask = std::pow(clamp01(1 - r), 1.2f) * smoothstep(1.0f, 0.85f, r);
        float density = smoothstep(-0.2f, 0.45f, n) * mask;
        float tint = clamp01(0.5f + 1.6f * fbm(q * 0.8f + Vec3{7, 7, 7}, seed + 4, 3));
        Rgba c = mix(outer, inner, tint) * (density * (0.7f + 1.8f * wisps * wisps) * 1.2f);
        float dark = smoothstep(0.55f, 0.85f, fbm(q * 3.0f, seed + 3, 4) + 0.5f);
        c = c * (1 - 0.6f * dark);
        c.a = 1;
        return c;
    });
    Random rnd(seed * 31);
    for (int i = 0; i < 60; ++i) {
        float x = rnd.range(0.1f, 0.9f) * size, y = rnd.range(0.1f, 0.9f) * size;
        float k = 0.2f + 0.8f * std::pow(rnd.uniform(), 4.0f);
        img.addSpot(x, y, 0.8f, Rgba{1, 0.97f, 0.92f, 0} * k);
    }
    return img;
}

}  // namespace

void paintSkyTextures(TextureSet& out) {
    out.push_back({"sky.jpg", paintStarField(), false, 90});
    out.push_back({"nebula1.jpg", paintNebula(512, 301, rgb(0.9f, 0.45f, 0.6f), rgb(0.25f, 0.12f, 0.45f)), false, 90});
    out.push_back({"nebula2.jpg", paintNebula(512, 307, rgb(0.45f, 0.85f, 0.9f), rgb(0.1f, 0.25f, 0.55f)), false, 90});
}

}  // namespace content
