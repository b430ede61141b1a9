// Pictures are painted from a function of the texel centre, JPEG-encoded like the package's
// art; the box is wound counter-clockwise seen from outside, one normal per face.
#include "tests/golden/golden_assets.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace tarnel::golden {

namespace {

using Rgb = std::array<float, 3>;  // 0..255

testing::Bytes paint(int side, const std::function<Rgb(float x, float y)>& colourAt) {
    testing::Bytes pixels;
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            Rgb c = colourAt(static_cast<float>(x) + 0.5f, static_cast<float>(y) + 0.5f);
            for (float channel : c) pixels.push_back(static_cast<std::uint8_t>(std::clamp(channel, 0.0f, 255.0f)));
        }
    return testing::encodeJpeg(side, side, 3, pixels);
}

// 8 x 8 cells, every other one dark; the lit cells are red, green, blue or white by quadrant
// (red at the top left), and a yellow column marks the seam at s = 0.
Rgb grid(float x, float y) {
    if (x < 2.0f) return {240, 220, 40};
    int cx = static_cast<int>(x) / 8, cy = static_cast<int>(y) / 8;
    if ((cx + cy) % 2 == 1) return {30, 30, 40};
    bool left = x < 32.0f, top = y < 32.0f;
    if (top) return left ? Rgb{230, 60, 50} : Rgb{60, 210, 80};
    return left ? Rgb{60, 100, 240} : Rgb{235, 235, 220};
}

float fromCentre(float x, float y, float side) { return std::hypot(x - side / 2.0f, y - side / 2.0f); }

Rgb glow(float x, float y) {
    float v = 255.0f * std::max(0.0f, 1.0f - fromCentre(x, y, 32.0f) / 15.5f);
    return {v, v, 0.85f * v};
}

Rgb ring(float x, float y) {
    float v = 255.0f * std::max(0.0f, 1.0f - std::fabs(fromCentre(x, y, 32.0f) - 11.0f) / 4.0f);
    return {0.8f * v, 0.9f * v, v};
}

// Narrow across s, long along t.
Rgb streak(float x, float y) {
    float v = 255.0f * std::max(0.0f, 1.0f - std::fabs(x - 16.0f) / 5.0f) * std::max(0.0f, 1.0f - std::fabs(y - 16.0f) / 16.0f);
    return {v, 0.9f * v, 0.8f * v};
}

Rgb haze(float, float) { return {120, 170, 255}; }

testing::Bytes boxMesh() {
    testing::MeshSpec spec;
    spec.texCoords = {{{0.0f, 0.0f}}, {{1.0f, 0.0f}}, {{1.0f, 1.0f}}, {{0.0f, 1.0f}}};
    for (int axis = 0; axis < 3; ++axis)
        for (float sign : {1.0f, -1.0f}) {
            // The face's corners in order round its normal n: u then v turn counter-clockwise.
            std::array<float, 3> n{}, u{}, v{};
            n[axis] = sign;
            u[(axis + 1) % 3] = sign;
            v[(axis + 2) % 3] = 1.0f;
            auto first = static_cast<std::uint32_t>(spec.positions.size());
            for (auto [a, b] : {std::pair{-1.0f, -1.0f}, std::pair{1.0f, -1.0f}, std::pair{1.0f, 1.0f}, std::pair{-1.0f, 1.0f}})
                spec.positions.push_back({{n[0] + a * u[0] + b * v[0], n[1] + a * u[1] + b * v[1], n[2] + a * u[2] + b * v[2]}});
            std::array<float, 9> normals{n[0], n[1], n[2], n[0], n[1], n[2], n[0], n[1], n[2]};
            spec.triangles.push_back({{first, first + 1, first + 2}, {0, 1, 2}, normals});
            spec.triangles.push_back({{first, first + 2, first + 3}, {0, 2, 3}, normals});
        }
    return testing::meshBytes(spec);
}

}  // namespace

std::map<std::string, testing::Bytes> sceneMembers() {
    return {
        {"textures\\grid.jpg", paint(64, grid)},   {"textures\\glow.jpg", paint(32, glow)},
        {"textures\\ring.jpg", paint(32, ring)},   {"textures\\streak.jpg", paint(32, streak)},
        {"textures\\haze.jpg", paint(16, haze)},   {"meshes\\box.dat", boxMesh()},
    };
}

}  // namespace tarnel::golden
