// Mesh file parsing. The counts in the header are checked against the file's size before
// anything is allocated, so a short or hostile file costs nothing and reads nothing.
#include "assets/mesh_file.h"

#include <cmath>

#include "assets/byte_cursor.h"
#include "camera/random.h"

namespace tarnel {

namespace {

constexpr std::uint64_t kVertexBytes = 12;
constexpr std::uint64_t kTriangleBytes = 12 + 12 + 36;  // vertex indices, texture indices, normals
constexpr std::uint64_t kTexCoordBytes = 8;
constexpr double kPi = 3.14159265358979323846;

bool readFloats(ByteCursor& in, std::uint32_t count, std::vector<float>* const* arrays, int arrayCount) {
    for (int a = 0; a < arrayCount; ++a) arrays[a]->resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
        for (int a = 0; a < arrayCount; ++a)
            if (!in.f32((*arrays[a])[i])) return false;
    return true;
}

bool readIndices(ByteCursor& in, std::uint32_t count, std::array<std::vector<std::uint32_t>, 3>& corners) {
    for (auto& corner : corners) corner.resize(count);
    for (std::uint32_t i = 0; i < count; ++i)
        for (auto& corner : corners)
            if (!in.u32(corner[i])) return false;
    return true;
}

bool readSections(ByteCursor& in, MeshArrays& mesh, bool jitter) {
    std::vector<float>* positions[] = {&mesh.x, &mesh.y, &mesh.z};
    if (!readFloats(in, mesh.vertexCount, positions, 3)) return false;
    if (jitter)
        for (std::uint32_t i = 0; i < mesh.vertexCount; ++i) jitterVertex(mesh.x[i], mesh.y[i], mesh.z[i]);
    if (!readIndices(in, mesh.triangleCount, mesh.vertexIndex)) return false;
    if (!readIndices(in, mesh.triangleCount, mesh.texCoordIndex)) return false;
    std::vector<float>* texCoords[] = {&mesh.s, &mesh.t};
    if (!readFloats(in, mesh.texCoordCount, texCoords, 2)) return false;
    std::vector<float>* normals[9];
    for (int n = 0; n < 9; ++n) normals[n] = &mesh.normal[n];
    return readFloats(in, mesh.triangleCount, normals, 9);
}

bool triangleInBounds(const MeshArrays& mesh, std::uint32_t triangle) {
    for (int corner = 0; corner < 3; ++corner)
        if (mesh.vertexIndex[corner][triangle] >= mesh.vertexCount ||
            mesh.texCoordIndex[corner][triangle] >= mesh.texCoordCount)
            return false;
    return true;
}

// Every value the triangle draws with; its indices are in bounds.
bool triangleFinite(const MeshArrays& mesh, std::uint32_t triangle) {
    for (int corner = 0; corner < 3; ++corner) {
        std::uint32_t v = mesh.vertexIndex[corner][triangle];
        std::uint32_t t = mesh.texCoordIndex[corner][triangle];
        for (float value : {mesh.x[v], mesh.y[v], mesh.z[v], mesh.s[t], mesh.t[t]})
            if (!std::isfinite(value)) return false;
    }
    for (const auto& component : mesh.normal)
        if (!std::isfinite(component[triangle])) return false;
    return true;
}

// Keeps the triangles whose indices all lie inside their arrays and whose values are all
// finite, in file order; a NaN vertex would draw nothing sensible, and an infinite one
// streaks across the screen.
void dropBadTriangles(MeshArrays& mesh) {
    std::uint32_t kept = 0;
    for (std::uint32_t i = 0; i < mesh.triangleCount; ++i) {
        if (!triangleInBounds(mesh, i)) {
            ++mesh.outOfRange;
            continue;
        }
        if (!triangleFinite(mesh, i)) {
            ++mesh.notFinite;
            continue;
        }
        for (int c = 0; c < 3; ++c) {
            mesh.vertexIndex[c][kept] = mesh.vertexIndex[c][i];
            mesh.texCoordIndex[c][kept] = mesh.texCoordIndex[c][i];
        }
        for (auto& component : mesh.normal) component[kept] = component[i];
        ++kept;
    }
    mesh.triangleCount = kept;
    for (int c = 0; c < 3; ++c) {
        mesh.vertexIndex[c].resize(kept);
        mesh.texCoordIndex[c].resize(kept);
    }
    for (auto& component : mesh.normal) component.resize(kept);
}

}  // namespace

void jitterVertex(float& x, float& y, float& z) {
    double ax = random01() * 20.0 - 10.0;
    double ay = random01() * 20.0 - 10.0;
    double az = random01() * 20.0 - 10.0;
    double angle = random01() * 2.6;
    double length = std::sqrt(ax * ax + ay * ay + az * az);
    if (length == 0.0) return;
    ax /= length;
    ay /= length;
    az /= length;
    // Rodrigues' rotation by minus the angle, right-hand rule about the axis.
    double theta = -angle * kPi / 180.0;
    double c = std::cos(theta), s = std::sin(theta);
    double dot = ax * x + ay * y + az * z;
    double cx = ay * z - az * y, cy = az * x - ax * z, cz = ax * y - ay * x;
    double nx = x * c + cx * s + ax * dot * (1 - c);
    double ny = y * c + cy * s + ay * dot * (1 - c);
    double nz = z * c + cz * s + az * dot * (1 - c);
    x = static_cast<float>(nx);
    y = static_cast<float>(ny);
    z = static_cast<float>(nz);
}

std::uint64_t meshFileBytes(std::uint32_t vertices, std::uint32_t triangles, std::uint32_t texCoords) {
    return kMeshHeaderBytes + vertices * kVertexBytes + triangles * kTriangleBytes + texCoords * kTexCoordBytes;
}

MeshArrays parseMeshFile(const std::uint8_t* bytes, std::size_t size, bool jitter) {
    MeshArrays mesh;
    ByteCursor in(bytes, size);
    std::uint32_t v = 0, f = 0, t = 0;
    if (!in.u32(v) || !in.u32(f) || !in.u32(t)) return {};
    if (meshFileBytes(v, f, t) > size) return {};
    mesh.vertexCount = v;
    mesh.triangleCount = f;
    mesh.texCoordCount = t;
    if (!readSections(in, mesh, jitter)) return {};
    dropBadTriangles(mesh);
    return mesh;
}

}  // namespace tarnel
