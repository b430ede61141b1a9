// Surfaces of the models: the station's hull plating, the solar wings' cells and the
// asteroid's rock.
#include <cmath>

#include "content/noise.h"
#include "content/textures.h"

namespace content {

namespace {

Raster paintHull(int size) {
    Raster img(size, size);
    paintAll(img, [&](int x, int y) {
        // Plates of irregular width in rows; seams between them; rows of lit windows.
        int row = y / 32;
        int plateWidth = 24 + int(hash32(uint32_t(row) * 977u) % 40);
        int shift = int(hash32(uint32_t(row) * 31u) % 64);
        int plate = (x + shift) / plateWidth;
        float tone = 0.5f + 0.12f * float(hash32(uint32_t(plate) * 131u + uint32_t(row) * 7u) % 100) / 100.0f;
        int px = (x + shift) % plateWidth, py = y % 32;
        float seam = (px == 0 || py == 0) ? 0.55f : (px == 1 || py == 1) ? 1.08f : 1.0f;
        float grime = 0.9f + 0.1f * fbm(Vec3{x * 0.03f, y * 0.03f, 0.7f}, 601, 5);
        Rgba c = rgb(tone, tone * 1.01f, tone * 1.04f) * (seam * grime);
        bool windowRow = row % 5 == 2 && py >= 12 && py < 20;
        if (windowRow && (x % 12) >= 3 && (x % 12) < 8) {
            bool lit = hash32(uint32_t(x / 12) * 17u + uint32_t(row)) % 4 != 0;
            c = lit ? rgb(1.0f, 0.86f, 0.55f) : rgb(0.08f, 0.08f, 0.1f);
        }
        if (row % 16 == 6 && py >= 12 && py < 20)  // hazard band
            c = ((x + py) / 8) % 2 ? rgb(0.75f, 0.55f, 0.12f) : rgb(0.12f, 0.12f, 0.12f);
        c.a = 1;
        return c;
    });
    return img;
}

Raster paintSolarCells(int size) {
    Raster img(size, size);
    paintAll(img, [&](int x, int y) {
        int cx = x % 32, cy = y % 16;
        bool line = cx == 0 || cy == 0;
        float sheen = 0.8f + 0.2f * std::sin((x + y) * 0.02f);
        Rgba c = line ? rgb(0.62f, 0.64f, 0.68f) : rgb(0.07f, 0.12f, 0.3f) * sheen;
        if (!line && (cx == 16)) c = rgb(0.2f, 0.24f, 0.38f);
        c.a = 1;
        return c;
    });
    return img;
}

Raster paintRock(int w, int h) {
    Raster img(w, h);
    paintAll(img, [&](int x, int y) {
        Vec3 p = sphereDirection(x, y, w, h);
        float n = fbm(domainWarp(p * 3.0f, 701, 0.4f), 703, 7, 0.55f);
        float pits = smoothstep(0.6f, 0.9f, ridged(p * 9.0f, 707, 3));
        Rgba c = mix(rgb(0.36f, 0.31f, 0.27f), rgb(0.5f, 0.45f, 0.38f), clamp01(0.5f + n));
        c = c * (1 - 0.35f * pits);
        c.a = 1;
        return c;
    });
    return img;
}

}  // namespace

void paintModelTextures(TextureSet& out) {
    out.push_back({"hull.jpg", paintHull(512), false, 88});
    out.push_back({"cells.jpg", paintSolarCells(256), false, 88});
    out.push_back({"rock.jpg", paintRock(512, 256), false, 88});
}

}  // namespace content
