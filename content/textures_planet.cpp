// The home planet (continents, oceans, ice), its city lights, clouds and air, the sun's
// corona, and two moons.
// All are equirectangular maps painted from 3D noise on the unit sphere, so they have no
// seam at s = 0 and no pinch at the poles.
#include <algorithm>
#include <cmath>

#include "content/noise.h"
#include "content/textures.h"

namespace content {

namespace {

struct Terrain {
    int w, h;
    std::vector<float> height;  // relative to sea level, about -1..1
};

Terrain buildTerrain(int w, int h) {
    Terrain t{w, h, std::vector<float>(size_t(w) * h)};
    SphereField warpField(512, 256, [](Vec3 p) { return domainWarp(p * 1.25f, 11, 0.55f) - p * 1.25f; });
    Raster scratch(w, h);
    paintAll(scratch, [&](int x, int y) {
        Vec3 p = sphereDirection(x, y, w, h);
        Vec3 q = p * 1.25f + warpField.at(x, y, w, h);
        float continents = fbm(q, 21, 8, 0.52f);
        float mountains = ridged(q * 1.8f + Vec3{3.1f, 0, 0}, 31, 5, 0.45f);
        float v = continents + 0.16f * mountains * smoothstep(-0.02f, 0.15f, continents);
        return Rgba{v, 0, 0, 0};
    });
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) t.height[size_t(y) * w + x] = scratch.at(x, y).r;
    // Sea level where about 66 % of the surface is water.
    std::vector<float> sorted = t.height;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() * 66 / 100, sorted.end());
    float sea = sorted[sorted.size() * 66 / 100];
    float top = *std::max_element(t.height.begin(), t.height.end());
    float bottom = *std::min_element(t.height.begin(), t.height.end());
    for (float& v : t.height) v = v >= sea ? (v - sea) / (top - sea) : -(sea - v) / (sea - bottom);
    return t;
}

Raster paintSurface(const Terrain& t) {
    Raster img(t.w, t.h);
    auto heightAt = [&](int x, int y) {
        x = (x + t.w) % t.w;
        y = std::min(std::max(y, 0), t.h - 1);
        return t.height[size_t(y) * t.w + x];
    };
    // Climate: moisture, and noise for the edges of the snow line and the ice caps.
    SphereField climate(512, 256, [](Vec3 p) {
        return Vec3{fbm(domainWarp(p * 2.0f, 51, 0.4f), 53, 5), fbm(p * 5.0f, 61, 4), fbm(p * 7.0f, 71, 4)};
    });
    paintAll(img, [&](int x, int y) {
        Vec3 p = sphereDirection(x, y, t.w, t.h);
        Vec3 cl = climate.at(x, y, t.w, t.h);
        float e = heightAt(x, y);
        float lat = std::asin(std::min(1.0f, std::fabs(p.y))) / 1.5707963f;  // 0 equator, 1 pole
        float detail = fbm(p * 48.0f, 41, 3);
        // Dry belts near 25 degrees, wet tropics and temperate zones.
        float moisture = cl.x * 1.2f + 0.25f - 0.55f * std::exp(-std::pow((lat - 0.28f) / 0.11f, 2.0f)) +
                         0.15f * std::exp(-std::pow(lat / 0.12f, 2.0f));
        Rgba c;
        if (e < 0) {
            float depth = std::pow(-e, 0.6f);
            c = mix(rgb(0.05f, 0.2f, 0.3f), rgb(0.012f, 0.04f, 0.12f), smoothstep(0.0f, 0.45f, depth));
            c = mix(c, rgb(0.08f, 0.32f, 0.36f), (1 - smoothstep(0.0f, 0.07f, depth)) * (1 - lat) * 0.7f);
            c = c * (1 + 0.06f * detail);
        } else {
            // Slope, direction-free, so the relief reads under any light the engine gives it.
            float gx = heightAt(x + 1, y) - heightAt(x - 1, y);
            float gy = heightAt(x, y + 1) - heightAt(x, y - 1);
            float slope = std::min(1.0f, std::sqrt(gx * gx + gy * gy) * 9);
            Rgba jungle = rgb(0.07f, 0.17f, 0.05f), forest = rgb(0.12f, 0.2f, 0.08f);
            Rgba grass = rgb(0.28f, 0.33f, 0.14f), steppe = rgb(0.46f, 0.4f, 0.24f);
            Rgba desert = rgb(0.68f, 0.52f, 0.32f), redDesert = rgb(0.6f, 0.36f, 0.2f);
            Rgba tundra = rgb(0.35f, 0.33f, 0.27f), rock = rgb(0.34f, 0.3f, 0.27f);
            Rgba dry = mix(desert, redDesert, smoothstep(-0.1f, 0.3f, cl.y));
            dry = mix(dry, steppe, smoothstep(-0.25f, 0.05f, moisture));
            Rgba wet = mix(grass, forest, smoothstep(0.1f, 0.4f, moisture));
            wet = mix(wet, jungle, smoothstep(0.3f, 0.0f, lat) * smoothstep(0.2f, 0.5f, moisture));
            c = mix(dry, wet, smoothstep(0.0f, 0.2f, moisture));
            c = mix(c, tundra, smoothstep(0.55f, 0.72f, lat + 0.1f * cl.y));
            c = mix(c, rock, smoothstep(0.3f, 0.7f, e) * 0.85f);
            c = mix(c, rgb(0.7f, 0.62f, 0.46f), (1 - smoothstep(0.0f, 0.01f, e)) * 0.4f);
            c = c * (1 - 0.3f * slope) * (1 + 0.14f * detail);
            float snowLine = 0.93f - 0.55f * lat + 0.08f * cl.y;
            float snow = smoothstep(snowLine, snowLine + 0.06f, e + 0.1f * slope);
            c = mix(c, rgb(0.88f, 0.9f, 0.93f) * (1 - 0.15f * slope), snow);
        }
        // Ice caps with a ragged edge; the sea ice reaches a little further than the land ice.
        float capEdge = 0.84f + 0.05f * cl.z + (e < 0 ? 0.02f : -0.02f);
        float ice = smoothstep(capEdge, capEdge + 0.025f, lat);
        c = mix(c, rgb(0.86f, 0.91f, 0.96f) * (0.93f + 0.07f * detail), ice);
        c.a = 1;
        return c;
    });
    return img;
}

Raster paintClouds(int w, int h) {
    Raster img(w, h);
    // Zonal stretching gives the streaky bands of a rotating atmosphere; the warp curls them.
    auto stretch = [](Vec3 p) { return Vec3{p.x * 1.6f, p.y * 4.0f, p.z * 1.6f}; };
    SphereField warpField(512, 256, [&](Vec3 p) { return domainWarp(stretch(p), 81, 0.9f) - stretch(p); });
    // Storm systems: the cloud field is wound around a few centres, anticlockwise in the
    // north and clockwise in the south.
    Random rnd(85);
    std::vector<Vec3> eyes;
    for (int i = 0; i < 7; ++i) {
        float lat = rnd.range(0.25f, 0.9f) * (i % 2 ? -1.0f : 1.0f), lon = rnd.range(0, 6.2831853f);
        eyes.push_back({std::cos(lat) * std::sin(lon), std::sin(lat), std::cos(lat) * std::cos(lon)});
    }
    auto swirl = [&](Vec3 p) {
        for (Vec3 e : eyes) {
            float d = 1 - dot(p, e);
            float angle = (e.y > 0 ? 1.0f : -1.0f) * 5.0f * std::exp(-d / 0.012f);
            if (std::fabs(angle) < 1e-3f) continue;
            float c = std::cos(angle), s = std::sin(angle);
            p = p * c + cross(e, p) * s + e * (dot(e, p) * (1 - c));
        }
        return p;
    };
    paintAll(img, [&](int x, int y) {
        Vec3 p0 = sphereDirection(x, y, w, h);
        Vec3 p = swirl(p0);
        float lat = p0.y;
        Vec3 q = stretch(p) + warpField.at(x, y, w, h);
        float n = fbm(q * 1.4f, 83, 6, 0.55f);
        float fine = fbm(p * 18.0f, 87, 3);
        float bands = 0.12f * std::cos(lat * 7.5f) + 0.1f * (1 - std::fabs(lat) * 1.6f);
        float cover = smoothstep(-0.1f, 0.26f, n + bands + 0.08f * fine);
        float a = cover * (0.8f + 0.2f * smoothstep(0.2f, 0.6f, n));
        float shade = 0.88f + 0.12f * smoothstep(0.1f, 0.5f, n);
        return Rgba{shade, shade, shade * 1.02f, a * 0.95f};
    });
    return img;
}

// City lights for the night side: warm points scattered over the habitable land, thickest
// along the coasts and in a few dense regions, none on ice, high ground or open sea. The
// layer is self-lit and added over the surface, so black stays invisible on the day side.
Raster paintCityLights(const Terrain& t, int w, int h) {
    Raster img(w, h);
    SphereField regions(256, 128, [](Vec3 p) { return Vec3{fbm(p * 3.0f, 151, 4), fbm(p * 9.0f, 157, 3), 0}; });
    // Both maps share the equirectangular layout, so a point scales straight across.
    auto heightNear = [&](float x, float y) {
        int tx = std::min(t.w - 1, int(x * t.w / w)), ty = std::min(t.h - 1, int(y * t.h / h));
        return t.height[size_t(ty) * t.w + tx];
    };
    Random rnd(163);
    const int towns = w * h / 24;
    for (int i = 0; i < towns; ++i) {
        float x = rnd.range(0, float(w)), y = rnd.range(0, float(h));
        Vec3 p = sphereDirection(int(x), int(y), w, h);
        float e = heightNear(x, y);
        float lat = std::fabs(p.y);
        Vec3 r = regions.at(int(x), int(y), w, h);
        float coast = 1 - smoothstep(0.0f, 0.12f, e);
        float settled = smoothstep(0.0f, 0.25f, r.x + 0.2f * coast) * (1 - smoothstep(0.55f, 0.72f, lat)) *
                        (1 - smoothstep(0.35f, 0.6f, e));
        if (e < 0 || rnd.uniform() > settled * (0.45f + 0.55f * coast)) continue;
        float k = rnd.range(0.25f, 1.0f) * (0.6f + 0.4f * smoothstep(-0.2f, 0.4f, r.y));
        img.addSpot(x, y, rnd.range(1.0f, 2.0f), Rgba{1.0f, 0.62f, 0.28f, 0} * (0.9f * k));
        if (k > 0.8f) img.addSpot(x, y, 3.5f, Rgba{0.5f, 0.3f, 0.12f, 0} * 0.3f);
    }
    return img;
}

Raster paintFlat(int size, Rgba colour, uint32_t seed) {
    Raster img(size, size);
    paintAll(img, [&](int x, int y) {
        float n = fbm(Vec3{x * 0.1f, y * 0.1f, 0.5f}, seed, 3);
        return colour * (1 + 0.05f * n);
    });
    return img;
}

// Grey, cratered moon: craters are splatted into a height map, then coloured by height.
Raster paintMoon(int w, int h, uint32_t seed, Rgba light, Rgba dark) {
    std::vector<float> height(size_t(w) * h, 0);
    Random rnd(seed);
    for (int i = 0; i < 600; ++i) {
        Vec3 c = rnd.unitVector();
        float u = rnd.uniform();
        float radius = 0.012f + 0.13f * u * u * u * u;  // radians: many small, few large
        float lat = std::asin(c.y), lon = std::atan2(c.x, c.z);
        float reach = radius * 1.6f;
        int y0 = std::max(0, int((0.5f - (lat + reach) / 3.14159265f) * h));
        int y1 = std::min(h - 1, int((0.5f - (lat - reach) / 3.14159265f) * h) + 1);
        for (int y = y0; y <= y1; ++y) {
            float rowLat = (0.5f - (y + 0.5f) / h) * 3.14159265f;
            float span = std::cos(rowLat) > reach ? reach / std::cos(rowLat) : 3.2f;
            int xs = int(((lon - span) / 6.2831853f) * w) - 1, xe = int(((lon + span) / 6.2831853f) * w) + 1;
            if (xe - xs > w) { xs = 0; xe = w - 1; }
            for (int xi = xs; xi <= xe; ++xi) {
                int x = ((xi % w) + w) % w;
                Vec3 p = sphereDirection(x, y, w, h);
                float d = std::acos(std::min(1.0f, dot(p, c))) / radius;
                if (d > 1.6f) continue;
                // Flat floor, steep wall, raised rim, ejecta fading outwards.
                float floorDepth = -0.32f * (1 - smoothstep(0.55f, 1.0f, d));
                float rim = 0.22f * std::exp(-(d - 1) * (d - 1) * 30);
                float ejecta = d > 1 ? 0.06f * (1.6f - d) / 0.6f : 0;
                height[size_t(y) * w + x] += floorDepth + rim + ejecta;
            }
        }
    }
    Raster img(w, h);
    paintAll(img, [&](int x, int y) {
        Vec3 p = sphereDirection(x, y, w, h);
        float maria = smoothstep(0.05f, 0.25f, fbm(domainWarp(p * 1.5f, seed + 3, 0.5f), seed + 5, 6));
        float e = height[size_t(y) * w + x];
        float gx = height[size_t(y) * w + (x + 1) % w] - height[size_t(y) * w + (x + w - 1) % w];
        float grain = fbm(p * 30.0f, seed + 9, 4);
        Rgba c = mix(light, dark, maria * 0.85f);
        c = c * (1 + 0.45f * std::tanh(e * 1.5f) + 3.0f * gx + 0.12f * grain);
        c.a = 1;
        return c;
    });
    return img;
}

Raster paintIceMoon(int w, int h) {
    Raster img(w, h);
    paintAll(img, [&](int x, int y) {
        Vec3 p = sphereDirection(x, y, w, h);
        float cracks = ridged(domainWarp(p * 2.0f, 121, 0.3f) * 2.5f, 123, 5, 0.55f);
        float base = fbm(p * 4.0f, 127, 5);
        Rgba c = mix(rgb(0.8f, 0.86f, 0.9f), rgb(0.62f, 0.72f, 0.8f), smoothstep(-0.2f, 0.3f, base));
        c = mix(c, rgb(0.55f, 0.38f, 0.3f), smoothstep(0.74f, 0.92f, cracks) * 0.85f);
        c.a = 1;
        return c;
    });
    return img;
}

}  // namespace

void paintPlanetTextures(TextureSet& out) {
    Terrain terrain = buildTerrain(2048, 1024);
    out.push_back({"planet.jpg", paintSurface(terrain), false, 90});
    out.push_back({"lights.jpg", paintCityLights(terrain, 1024, 512), false, 92});
    out.push_back({"clouds.tga", paintClouds(1024, 512), true, 0});
    // The sun's corona shares the flat painter with the planet's rim.
    out.push_back({"corona.jpg", paintFlat(64, rgb(0.45f, 0.3f, 0.12f), 131), false, 90});
    out.push_back({"rim.jpg", paintFlat(64, rgb(0.24f, 0.45f, 0.9f), 137), false, 90});
    out.push_back({"moon.jpg", paintMoon(1024, 512, 141, rgb(0.62f, 0.6f, 0.57f), rgb(0.3f, 0.29f, 0.28f)), false, 88});
    out.push_back({"icemoon.jpg", paintIceMoon(512, 256), false, 88});
}

}  // namespace content
