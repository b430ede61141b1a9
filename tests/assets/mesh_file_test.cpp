#include "assets/mesh_file.h"

#include <algorithm>
#include <cmath>

#include <gtest/gtest.h>

#include "camera/random.h"
#include "tests/assets/mesh_fixtures.h"

using namespace tarnel;
using namespace tarnel::testing;

namespace {

MeshArrays parse(const Bytes& bytes, bool jitter = false) { return parseMeshFile(bytes.data(), bytes.size(), jitter); }

double length(double x, double y, double z) { return std::sqrt(x * x + y * y + z * z); }

}  // namespace

TEST(MeshFile, ReadsEverySectionIntoItsArrays) {
    MeshArrays mesh = parse(meshBytes(oneTriangle()));
    ASSERT_EQ(mesh.vertexCount, 3u);
    ASSERT_EQ(mesh.triangleCount, 1u);
    ASSERT_EQ(mesh.texCoordCount, 3u);
    EXPECT_FLOAT_EQ(mesh.x[1], 0.5f);
    EXPECT_FLOAT_EQ(mesh.y[2], 0.5f);
    EXPECT_EQ(mesh.vertexIndex[0][0], 0u);
    EXPECT_EQ(mesh.vertexIndex[2][0], 2u);
    EXPECT_EQ(mesh.texCoordIndex[0][0], 2u);
    EXPECT_FLOAT_EQ(mesh.s[2], 1.0f);
    EXPECT_FLOAT_EQ(mesh.t[1], 0.25f);
    EXPECT_FLOAT_EQ(mesh.normal[2][0], 1.0f);
    EXPECT_FLOAT_EQ(mesh.normal[8][0], -1.0f);
}

TEST(MeshFile, DropsTrianglesWhoseIndicesLeaveTheirArraysOrWhoseValuesAreNoNumbers) {
    MeshSpec spec = oneTriangle();
    spec.triangles.push_back({{0, 1, 5}, {0, 1, 2}, {}});  // vertex 5 does not exist
    spec.triangles.push_back({{0, 1, 2}, {0, 9, 2}, {}});  // nor texture coordinate 9
    spec.triangles.push_back({{2, 1, 0}, {1, 1, 1}, {0, 0, 7, 0, 0, 7, 0, 0, 7}});
    spec.positions.push_back({{NAN, 0.0f, 0.0f}});
    spec.texCoords.push_back({{0.0f, INFINITY}});
    spec.triangles.push_back({{3, 1, 0}, {0, 1, 2}, {}});                     // a NaN position
    spec.triangles.push_back({{0, 1, 2}, {0, 3, 2}, {}});                     // an infinite s, t
    spec.triangles.push_back({{0, 1, 2}, {0, 1, 2}, {0, 0, 0, 0, -INFINITY}});  // a normal
    MeshArrays mesh = parse(meshBytes(spec));
    ASSERT_EQ(mesh.triangleCount, 2u);
    EXPECT_EQ(mesh.outOfRange, 2u);
    EXPECT_EQ(mesh.notFinite, 3u);
    EXPECT_EQ(mesh.vertexIndex[0][1], 2u);
    EXPECT_EQ(mesh.texCoordIndex[1][1], 1u);
    EXPECT_FLOAT_EQ(mesh.normal[5][1], 7.0f);
    EXPECT_EQ(mesh.normal[5].size(), 2u);
}

TEST(MeshFile, GivesAnEmptyMeshForFilesShorterThanTheirHeaderSays) {
    Bytes whole = meshBytes(oneTriangle());
    for (std::size_t cut : {std::size_t(0), std::size_t(5), std::size_t(12), whole.size() - 1}) {
        Bytes shortFile(whole.begin(), whole.begin() + cut);
        MeshArrays mesh = parse(shortFile);
        EXPECT_TRUE(mesh.empty()) << cut;
        EXPECT_EQ(mesh.vertexCount, 0u) << cut;
        EXPECT_TRUE(mesh.x.empty()) << cut;
    }
    // Counts far beyond the file are refused before anything is allocated for them.
    Bytes huge{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x0F, 0xFF, 0xFF, 0xFF, 0xFF};
    EXPECT_TRUE(parse(huge).empty());
    EXPECT_EQ(parseMeshFile(nullptr, 0, true).vertexCount, 0u);
}

TEST(MeshFile, JitterKeepsEveryVertexAtItsDistanceAndWithinTheAngle) {
    MeshSpec spec = sphereOfPoints(200, 5.0f);
    seedRandom(1234);
    MeshArrays moved = parse(meshBytes(spec), true);
    ASSERT_EQ(moved.vertexCount, 200u);
    double largest = 0.0;
    for (std::size_t i = 0; i < spec.positions.size(); ++i) {
        const auto& p = spec.positions[i];
        double before = length(p[0], p[1], p[2]);
        double after = length(moved.x[i], moved.y[i], moved.z[i]);
        EXPECT_NEAR(after, before, 1e-5 * before) << i;
        double cosine = (p[0] * moved.x[i] + p[1] * moved.y[i] + p[2] * moved.z[i]) / (before * after);
        double degrees = std::acos(std::min(1.0, cosine)) * 180.0 / 3.14159265358979323846;
        EXPECT_LE(degrees, 2.6 + 1e-3) << i;
        largest = std::max(largest, degrees);
    }
    EXPECT_GT(largest, 1.0);
}

TEST(MeshFile, JitterDrawsFourValuesAVertexFromTheSystemGenerator) {
    seedRandom(99);
    parse(meshBytes(sphereOfPoints(10, 1.0f)), true);
    int next = randomInt();
    seedRandom(99);
    for (int i = 0; i < 40; ++i) randomInt();
    EXPECT_EQ(randomInt(), next);

    seedRandom(7);
    MeshArrays first = parse(meshBytes(sphereOfPoints(10, 1.0f)), true);
    seedRandom(7);
    MeshArrays second = parse(meshBytes(sphereOfPoints(10, 1.0f)), true);
    EXPECT_EQ(first.x, second.x);
}

TEST(MeshFile, WithoutJitterPositionsStayAsStored) {
    MeshSpec spec = sphereOfPoints(10, 2.0f);
    MeshArrays mesh = parse(meshBytes(spec));
    for (std::size_t i = 0; i < spec.positions.size(); ++i) EXPECT_EQ(mesh.z[i], spec.positions[i][2]);
}
