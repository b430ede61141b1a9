// Images of the 2D overlay: the 4 x 4 digit font (cells read row by row from the top left:
// the digits, the colon, then the morning and afternoon marks of the 12-hour clock) and the
// two loading-screen pictures. The overlay adds them to a black screen, so black is empty.
#include <cmath>
#include <stdexcept>

#include "content/noise.h"
#include "content/strokes.h"
#include "content/textures.h"

namespace content {

namespace {

const StrokeStyle kDigitStyle{2.2f, 2.5f, {0.8f, 0.93f, 1.0f, 1}, {0.12f, 0.35f, 0.8f, 1}};

Raster paintDigitFont(int cell) {
    Raster font(cell * 4, cell * 4);
    const char* glyphText[13] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ":", "AM", "PM"};
    for (int i = 0; i < 13; ++i) {
        // Each glyph is drawn in a scratch cell and copied, so no glow reaches a neighbour.
        Raster scratch(cell, cell);
        std::string text = glyphText[i];
        float height = text.size() > 1 ? cell * 0.34f : cell * 0.64f;
        float width = textWidth(text, height, 5.2f);
        // The overlay advances 0.7 of a cell per glyph: centre the ink in the cell.
        drawStrokes(scratch, layoutText(text, (cell - width) / 2, cell * 0.5f + height / 2, height, 5.2f),
                    kDigitStyle);
        int column = i % 4, row = i / 4;
        for (int y = 0; y < cell; ++y)
            for (int x = 0; x < cell; ++x) {
                Rgba p = scratch.at(x, y);
                float fade = smoothstep(0.0f, 3.0f, float(std::min({x, y, cell - 1 - x, cell - 1 - y})));
                font.at(column * cell + x, row * cell + y) = Rgba{p.r * fade, p.g * fade, p.b * fade, 1};
            }
    }
    return font;
}

// The planet seen as a crescent, lit from behind on the right, with its air glowing at the rim.
void paintCrescent(Raster& img, const Raster& surface, const Raster& clouds, float cx, float cy, float radius) {
    Vec3 light = normalize(Vec3{0.9f, 0.35f, -0.3f});
    Raster out = img;
    paintAll(out, [&](int x, int y) {
        float u = (x + 0.5f - cx) / radius, v = (cy - y - 0.5f) / radius;
        float r2 = u * u + v * v;
        Rgba c = img.at(x, y);
        float r = std::sqrt(r2);
        if (r2 < 1) {
            Vec3 n{u, v, std::sqrt(1 - r2)};
            float diffuse = std::max(0.0f, dot(n, light));
            // Turn the sphere so the continents show in the lit part.
            Vec3 d{n.x * 0.8f + n.z * 0.6f, n.y, -n.x * 0.6f + n.z * 0.8f};
            float lon = std::atan2(d.x, d.z), lat = std::asin(d.y);
            float sx = (lon / 6.2831853f + 1.0f) * surface.width();
            float sy = (0.5f - lat / 3.14159265f) * surface.height();
            Rgba s = surface.sample(std::fmod(sx, float(surface.width())), sy);
            float cx2 = sx / surface.width() * clouds.width(), cy2 = sy / surface.height() * clouds.height();
            Rgba cl = clouds.sample(std::fmod(cx2, float(clouds.width())), cy2);
            s = mix(s, Rgba{cl.r, cl.g, cl.b, 1}, clamp01(cl.a));
            float edge = smoothstep(1.0f, 0.985f, r);
            c = c * (1 - edge) + s * (diffuse * 1.15f * edge);
        }
        float rim = std::exp(-std::fabs(r - 1) * 28) * std::pow(std::max(0.0f, (u * light.x + v * light.y) / std::max(r, 1e-3f) * 0.5f + 0.5f), 2.0f);
        c = c + Rgba{0.3f, 0.55f, 1.0f, 0} * (rim * 0.9f);
        c.a = 1;
        return c;
    });
    img = out;
}

Raster paintSign(int size, const Raster& surface, const Raster& clouds) {
    Raster img(size, size);
    Random rnd(801);
    for (int i = 0; i < 160; ++i)
        img.addSpot(rnd.range(0, float(size)), rnd.range(0, float(size)), 0.7f,
                    Rgba{1, 1, 1, 0} * (0.15f + 0.6f * std::pow(rnd.uniform(), 5.0f)));
    paintCrescent(img, surface, clouds, size * 0.5f, size * 0.42f, size * 0.3f);
    float height = size * 0.1f;
    float width = textWidth("TARNEL", height, 7.5f);
    drawStrokes(img, layoutText("TARNEL", (size - width) / 2, size * 0.9f, height, 7.5f),
                {size / 180.0f, size / 70.0f, {0.9f, 0.95f, 1.0f, 1}, {0.15f, 0.3f, 0.7f, 1}});
    return img;
}

Raster paintLoading(int size) {
    Raster img(size, size);
    // An orbit drawn as a dotted ellipse with the word under it.
    for (int i = 0; i < 48; ++i) {
        float a = 6.2831853f * i / 48;
        float k = 0.25f + 0.75f * std::pow(0.5f + 0.5f * std::cos(a - 0.8f), 3.0f);
        img.addSpot(size * (0.5f + 0.36f * std::cos(a)), size * (0.4f + 0.12f * std::sin(a)), size / 200.0f,
                    Rgba{0.5f, 0.75f, 1.0f, 0} * k);
    }
    img.addSpot(size * (0.5f + 0.36f * std::cos(0.8f)), size * (0.4f + 0.12f * std::sin(0.8f)), size / 60.0f,
                Rgba{1.0f, 0.95f, 0.85f, 0});
    float height = size * 0.075f;
    float width = textWidth("LOADING", height, 7.0f);
    drawStrokes(img, layoutText("LOADING", (size - width) / 2, size * 0.72f, height, 7.0f),
                {size / 240.0f, size / 100.0f, {0.8f, 0.9f, 1.0f, 1}, {0.1f, 0.25f, 0.6f, 1}});
    return img;
}

const Raster& findImage(const TextureSet& set, const std::string& file) {
    for (const TextureArt& art : set)
        if (art.file == file) return art.image;
    throw std::logic_error("the sign needs " + file + ", painted earlier");
}

}  // namespace

void paintScreenTextures(TextureSet& out) {
    out.push_back({"c.jpg", paintDigitFont(64), false, 95});
    Raster sign = paintSign(512, findImage(out, "planet.jpg"), findImage(out, "clouds.tga"));
    out.push_back({"sign.jpg", std::move(sign), false, 92});
    out.push_back({"load.jpg", paintLoading(512), false, 92});
}

TextureSet paintAllTextures() {
    TextureSet set;
    paintPlanetTextures(set);
    paintSkyTextures(set);
    paintLightTextures(set);
    paintSpriteTextures(set);
    paintModelTextures(set);
    paintScreenTextures(set);
    return set;
}

}  // namespace content
