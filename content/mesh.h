// Triangle meshes in the package's binary mesh layout: positions and texture coordinates
// indexed separately per corner, and one normal per corner. Builders for the fixed meshes
// and the models of the default scene live beside this file.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "content/encode.h"
#include "content/noise.h"

namespace content {

struct TexCoord {
    float s = 0, t = 0;
};

struct Triangle {
    std::array<uint32_t, 3> vertex{};    // into positions
    std::array<uint32_t, 3> texCoord{};  // into texCoords
    std::array<Vec3, 3> normal{};        // per corner
};

struct MeshData {
    std::vector<Vec3> positions;
    std::vector<TexCoord> texCoords;
    std::vector<Triangle> triangles;

    uint32_t addPosition(Vec3 p);
    uint32_t addTexCoord(float s, float t);
    // Appends everything of another mesh, its indices shifted.
    void append(const MeshData& other);
};

// Header V F T, positions, vertex indices, texture indices, texture coordinates, normals;
// little-endian 32-bit words throughout.
Bytes serializeMesh(const MeshData& mesh);

// Unit sphere, pole on +y, s with the longitude from +z towards +x, t = 1 at the +y pole;
// the seam column is duplicated in texture space only, so positions stay shared.
MeshData buildSphere(int longitudes, int latitudes);

// Sky shell: a cube of half-size 1 whose faces map to the cells of the sky atlas.
MeshData buildSkyCube(int subdivisions);

MeshData buildStation();
MeshData buildSolarPanels();
MeshData buildAsteroid(uint32_t seed);

}  // namespace content
