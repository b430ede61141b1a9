// Mesh members parse in the engine's layout with consistent counts and indices in range;
// the sphere is a closed unit sphere wound outwards, the sky shell maps into its atlas cells.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <map>

#include "content/mesh.h"
#include "tests/content/package_fixture.h"

using namespace content_test;

namespace {

struct ParsedMesh {
    bool ok = false;
    std::vector<float> positions, texCoords, normals;
    std::vector<uint32_t> vertexIndex, texIndex;
};

ParsedMesh parse(const content::Bytes& b) {
    ParsedMesh m;
    size_t pos = 0;
    auto word = [&](uint32_t& v) {
        if (pos + 4 > b.size()) return false;
        v = uint32_t(b[pos]) | uint32_t(b[pos + 1]) << 8 | uint32_t(b[pos + 2]) << 16 | uint32_t(b[pos + 3]) << 24;
        pos += 4;
        return true;
    };
    auto floats = [&](std::vector<float>& out, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            uint32_t v;
            if (!word(v)) return false;
            float f;
            std::memcpy(&f, &v, 4);
            out.push_back(f);
        }
        return true;
    };
    auto words = [&](std::vector<uint32_t>& out, size_t n) {
        for (size_t i = 0; i < n; ++i) {
            uint32_t v;
            if (!word(v)) return false;
            out.push_back(v);
        }
        return true;
    };
    uint32_t v, f, t;
    if (!word(v) || !word(f) || !word(t)) return m;
    m.ok = floats(m.positions, size_t(v) * 3) && words(m.vertexIndex, size_t(f) * 3) &&
           words(m.texIndex, size_t(f) * 3) && floats(m.texCoords, size_t(t) * 2) &&
           floats(m.normals, size_t(f) * 9) && pos == b.size();
    return m;
}

}  // namespace

TEST(DefaultMeshes, EveryMeshParsesExactlyWithIndicesInRange) {
    int meshes = 0;
    for (const content::Member& member : generatedPackage().members) {
        if (member.name.rfind("meshes\\", 0) != 0) continue;
        ++meshes;
        ParsedMesh m = parse(member.bytes);
        ASSERT_TRUE(m.ok) << member.name << ": counts do not match the size";
        ASSERT_FALSE(m.vertexIndex.empty()) << member.name;
        for (uint32_t i : m.vertexIndex) ASSERT_LT(i, m.positions.size() / 3) << member.name;
        for (uint32_t i : m.texIndex) ASSERT_LT(i, m.texCoords.size() / 2) << member.name;
        for (size_t i = 0; i < m.normals.size(); i += 3) {
            float len = std::sqrt(m.normals[i] * m.normals[i] + m.normals[i + 1] * m.normals[i + 1] +
                                  m.normals[i + 2] * m.normals[i + 2]);
            ASSERT_NEAR(len, 1.0f, 1e-3f) << member.name;
        }
        for (float c : m.positions) ASSERT_TRUE(std::isfinite(c)) << member.name;
    }
    EXPECT_GE(meshes, 4);
}

// Counter-clockwise from outside, so back-face culling keeps the near side of a planet.
TEST(DefaultMeshes, SphereIsAClosedUnitSphereWoundOutwards) {
    content::MeshData s = content::buildSphere(24, 12);
    for (const content::Vec3& p : s.positions) EXPECT_NEAR(std::sqrt(content::dot(p, p)), 1.0f, 1e-5f);
    std::map<std::pair<uint32_t, uint32_t>, int> edges;
    for (const content::Triangle& t : s.triangles) {
        content::Vec3 a = s.positions[t.vertex[0]], b = s.positions[t.vertex[1]], c = s.positions[t.vertex[2]];
        EXPECT_GT(content::dot(content::cross(b - a, c - a), a + b + c), 0.0f);
        for (int k = 0; k < 3; ++k) ++edges[{t.vertex[k], t.vertex[(k + 1) % 3]}];
    }
    // Closed and consistently wound: each directed edge once, and its reverse once.
    for (const auto& [edge, count] : edges) {
        EXPECT_EQ(count, 1);
        EXPECT_EQ(edges.count({edge.second, edge.first}), 1u);
    }
}

// The seam column of texture space is duplicated: no triangle's s span crosses the map.
TEST(DefaultMeshes, SphereTextureCoordinatesDoNotWrapInsideATriangle) {
    content::MeshData s = content::buildSphere(24, 12);
    for (const content::Triangle& t : s.triangles) {
        float lo = 1, hi = 0;
        for (uint32_t i : t.texCoord) {
            lo = std::min(lo, s.texCoords[i].s);
            hi = std::max(hi, s.texCoords[i].s);
            EXPECT_GE(s.texCoords[i].t, 0.0f);
            EXPECT_LE(s.texCoords[i].t, 1.0f);
        }
        EXPECT_LE(hi - lo, 1.5f / 24);
    }
}

// Seen from inside, with front faces culled, the sky shell's faces must wind outwards, and
// each face must stay inside its own atlas cell.
TEST(DefaultMeshes, SkyShellWindsOutwardsAndStaysInsideItsCells) {
    content::MeshData sky = content::buildSkyCube(4);
    EXPECT_EQ(sky.triangles.size(), 6u * 4 * 4 * 2);
    for (const content::Triangle& t : sky.triangles) {
        content::Vec3 a = sky.positions[t.vertex[0]], b = sky.positions[t.vertex[1]], c = sky.positions[t.vertex[2]];
        EXPECT_GT(content::dot(content::cross(b - a, c - a), a + b + c), 0.0f);
        float cs = 0, ct = 0;
        for (uint32_t i : t.texCoord) {
            cs += sky.texCoords[i].s / 3;
            ct += sky.texCoords[i].t / 3;
        }
        float column = std::floor(cs * 4), row = std::floor(ct * 2);
        for (uint32_t i : t.texCoord) {
            EXPECT_GT(sky.texCoords[i].s, column / 4) << "corner leaves its cell";
            EXPECT_LT(sky.texCoords[i].s, (column + 1) / 4);
            EXPECT_GT(sky.texCoords[i].t, row / 2);
            EXPECT_LT(sky.texCoords[i].t, (row + 1) / 2);
        }
    }
}

TEST(DefaultMeshes, ModelsCarryOutwardNormals) {
    for (const content::MeshData& m : {content::buildStation(), content::buildSolarPanels(), content::buildAsteroid(5)}) {
        ASSERT_GT(m.triangles.size(), 10u);
        int agree = 0;
        for (const content::Triangle& t : m.triangles) {
            content::Vec3 a = m.positions[t.vertex[0]], b = m.positions[t.vertex[1]], c = m.positions[t.vertex[2]];
            if (content::dot(content::cross(b - a, c - a), t.normal[0] + t.normal[1] + t.normal[2]) > 0) ++agree;
        }
        // Winding and corner normals agree, so lighting and culling see the same side.
        EXPECT_GE(agree, int(m.triangles.size()) * 99 / 100);
    }
}
