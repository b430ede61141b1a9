// Mesh files written on the spot for the mesh tests.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "tests/assets/asset_fixtures.h"

namespace tarnel::testing {

struct MeshTriangle {
    std::array<std::uint32_t, 3> vertices;
    std::array<std::uint32_t, 3> texCoords;
    std::array<float, 9> normals;
};

struct MeshSpec {
    std::vector<std::array<float, 3>> positions;
    std::vector<MeshTriangle> triangles;
    std::vector<std::array<float, 2>> texCoords;
};

inline void putU32(Bytes& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

inline void putF32(Bytes& out, float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    putU32(out, bits);
}

inline Bytes meshBytes(const MeshSpec& spec) {
    Bytes out;
    putU32(out, static_cast<std::uint32_t>(spec.positions.size()));
    putU32(out, static_cast<std::uint32_t>(spec.triangles.size()));
    putU32(out, static_cast<std::uint32_t>(spec.texCoords.size()));
    for (const auto& p : spec.positions)
        for (float c : p) putF32(out, c);
    for (const auto& t : spec.triangles)
        for (auto i : t.vertices) putU32(out, i);
    for (const auto& t : spec.triangles)
        for (auto i : t.texCoords) putU32(out, i);
    for (const auto& st : spec.texCoords)
        for (float c : st) putF32(out, c);
    for (const auto& t : spec.triangles)
        for (float n : t.normals) putF32(out, n);
    return out;
}

// V = 3, F = 1, T = 3, inside the unit cube so nothing is clipped.
inline MeshSpec oneTriangle() {
    MeshSpec spec;
    spec.positions = {{{0.0f, -0.5f, 0.0f}}, {{0.5f, 0.0f, 0.0f}}, {{-0.5f, 0.5f, 0.0f}}};
    spec.texCoords = {{{0.0f, 0.0f}}, {{0.5f, 0.25f}}, {{1.0f, 1.0f}}};
    spec.triangles = {{{0, 1, 2}, {2, 1, 0}, {0, 0, 1, 0, 1, 0, 0, 0, -1}}};
    return spec;
}

// count points spread over a sphere of radius, in triangles of consecutive points.
inline MeshSpec sphereOfPoints(int count, float radius) {
    MeshSpec spec;
    for (int i = 0; i < count; ++i) {
        double polar = std::acos(1.0 - 2.0 * (i + 0.5) / count);
        double azimuth = i * 2.399963;
        spec.positions.push_back({{static_cast<float>(radius * std::sin(polar) * std::cos(azimuth)),
                                   static_cast<float>(radius * std::sin(polar) * std::sin(azimuth)),
                                   static_cast<float>(radius * std::cos(polar))}});
    }
    spec.texCoords = {{{0.0f, 0.0f}}};
    for (int i = 0; i + 2 < count; i += 3)
        spec.triangles.push_back({{std::uint32_t(i), std::uint32_t(i + 1), std::uint32_t(i + 2)}, {0, 0, 0}, {}});
    return spec;
}

}  // namespace tarnel::testing
