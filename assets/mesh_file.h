// Binary mesh files: a triangle list with positions, texture coordinates and a normal at
// every corner, little-endian, no magic:
//   u32 V, u32 F, u32 T; V x (f32 x, y, z); F x (u32 i0, i1, i2); F x (u32 t0, t1, t2);
//   T x (f32 s, t); F x (f32 nx, ny, nz for corners 0, 1, 2).
// Parsing is kept apart from compiling the display lists so that it runs without OpenGL.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnel {

// A mesh as read, one array a component. After parsing every index is inside its array and
// every value a triangle uses is finite.
class MeshArrays {
public:
    std::uint32_t vertexCount = 0;    // V
    std::uint32_t triangleCount = 0;  // F, after dropping the bad triangles below
    std::uint32_t texCoordCount = 0;  // T
    std::uint32_t outOfRange = 0;     // triangles dropped for an index outside its array
    std::uint32_t notFinite = 0;      // triangles dropped for a NaN or infinite value
    std::vector<float> x, y, z;                                // positions, world units
    std::array<std::vector<std::uint32_t>, 3> vertexIndex;     // corner 0, 1, 2 of each triangle
    std::array<std::vector<std::uint32_t>, 3> texCoordIndex;   // corner 0, 1, 2 of each triangle
    std::vector<float> s, t;                                   // texture coordinates
    std::array<std::vector<float>, 9> normal;  // x, y, z of corner 0, then corner 1, then corner 2

    bool empty() const { return triangleCount == 0; }
};

constexpr std::size_t kMeshHeaderBytes = 12;

// The bytes a file with these counts holds, header included.
std::uint64_t meshFileBytes(std::uint32_t vertices, std::uint32_t triangles, std::uint32_t texCoords);

// Parses a mesh file. A file shorter than its header says gives an empty mesh; a triangle
// whose vertex or texture index is outside its array, or whose position, texture coordinate
// or normal is NaN or infinite, is dropped. With jitter set, each vertex is turned about the
// origin by a small random angle as it is read (see jitterVertex).
MeshArrays parseMeshFile(const std::uint8_t* bytes, std::size_t size, bool jitter);

// Turns the point (x, y, z) about the origin around a random axis by up to 2.6 degrees, so
// it keeps its distance from the centre. Draws four values from the system's generator: the
// axis components (each r * 20 - 10), then the angle (r * 2.6 degrees).
void jitterVertex(float& x, float& y, float& z);

}  // namespace tarnel
