#include "assets/mesh_lists.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "assets/sphere_arrays.h"
#include "platform/offscreen_gl.h"
#include "tests/assets/mesh_fixtures.h"

using namespace tarnel;
using namespace tarnel::testing;

// Mesa's software rasteriser keeps a buffer for feedback rendering that it never frees
// when the context goes; that is the driver's leak, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:swrast_dri.so\n"; }

namespace {

// What feedback mode reports for each vertex of a list: window position, colour, texture
// coordinate (s, t, r, q).
struct FedBackVertex {
    float x, y, z;
    float rgba[4];
    float str[4];
};

class MeshListsTest : public ::testing::Test {
protected:
    static constexpr int kSize = 64;

    void SetUp() override {
        std::string error;
        gl = platform::OffscreenGl::create(kSize, kSize, &error);
        ASSERT_TRUE(gl) << error;
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_CULL_FACE);
    }

    // Every vertex of every polygon the list draws.
    std::vector<FedBackVertex> feedback(GLuint list) {
        std::vector<GLfloat> buffer(1 << 16);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
        glRenderMode(GL_FEEDBACK);
        glColor4f(0.25f, 0.25f, 0.25f, 0.25f);
        glCallList(list);
        GLint used = glRenderMode(GL_RENDER);
        std::vector<FedBackVertex> vertices;
        for (GLint i = 0; i < used;) {
            GLint token = static_cast<GLint>(buffer[i++]);
            if (token != GL_POLYGON_TOKEN) {
                ADD_FAILURE() << "unexpected feedback token " << token;
                break;
            }
            int count = static_cast<int>(buffer[i++]);
            for (int v = 0; v < count; ++v, i += 11) {
                FedBackVertex vertex;
                std::memcpy(&vertex, &buffer[i], sizeof vertex);
                vertices.push_back(vertex);
            }
        }
        return vertices;
    }

    // The window x of a model x under identity matrices.
    static float windowX(float x) { return (x + 1.0f) * kSize / 2.0f; }

    std::unique_ptr<platform::OffscreenGl> gl;
    MemberMap package;
};

}  // namespace

TEST_F(MeshListsTest, CompilesOneTriangleToExactlyThreeVertices) {
    package.members["meshes\\tri.dat"] = meshBytes(oneTriangle());
    std::uint32_t list = 0;
    ASSERT_EQ(buildMeshList(list, "meshes\\tri.dat", false, package.opener()), kMeshListBuilt);
    ASSERT_TRUE(glIsList(list));
    std::vector<FedBackVertex> vertices = feedback(list);
    ASSERT_EQ(vertices.size(), 3u);
    // No colour is compiled: the colour current when the list is called stays.
    EXPECT_FLOAT_EQ(vertices[0].rgba[3], 0.25f);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(MeshListsTest, CornersSharingAPositionKeepTheirOwnTextureCoordinates) {
    MeshSpec spec = oneTriangle();
    spec.triangles.push_back({{0, 1, 2}, {0, 1, 2}, {}});
    package.members["meshes\\two.dat"] = meshBytes(spec);
    std::uint32_t list = 0;
    buildMeshList(list, "meshes\\two.dat", false, package.opener());
    std::vector<FedBackVertex> vertices = feedback(list);
    ASSERT_EQ(vertices.size(), 6u);
    for (int corner = 0; corner < 3; ++corner) {
        EXPECT_FLOAT_EQ(vertices[corner].x, vertices[corner + 3].x);
        EXPECT_FLOAT_EQ(vertices[corner].str[0], spec.texCoords[spec.triangles[0].texCoords[corner]][0]);
        EXPECT_FLOAT_EQ(vertices[corner + 3].str[0], spec.texCoords[corner][0]);
    }
}

TEST_F(MeshListsTest, MissingOrDamagedMembersCompileToEmptyLists) {
    Bytes broken = meshBytes(oneTriangle());
    broken.resize(broken.size() - 4);
    package.members["meshes\\short.dat"] = broken;
    for (const char* name : {"meshes\\short.dat", "meshes\\absent.dat"}) {
        std::uint32_t list = 0;
        EXPECT_EQ(buildMeshList(list, name, false, package.opener()), kMeshListBuilt);
        EXPECT_TRUE(glIsList(list));
        EXPECT_TRUE(feedback(list).empty()) << name;
    }
}

TEST_F(MeshListsTest, ShellsGiveEachCornerAnAlphaFromItsX) {
    EXPECT_FLOAT_EQ(atmoAlpha(1.0f), 2.4f);
    EXPECT_FLOAT_EQ(atmoAlpha(0.0f), -0.6f);
    EXPECT_FLOAT_EQ(scatterAlpha(-1.0f), 0.0f);
    EXPECT_FLOAT_EQ(scatterAlpha(1.0f), 3.2f);

    MeshSpec spec = oneTriangle();
    spec.positions = {{{0.5f, 0.0f, 0.0f}}, {{-0.5f, 0.5f, 0.0f}}, {{0.9f, -0.5f, 0.0f}}};
    package.members["meshes\\sphere.dat"] = meshBytes(spec);
    FixedMeshLists lists;
    buildShellLists(lists, "meshes\\sphere.dat", package.opener());
    ASSERT_NE(lists.atmoList, 0u);
    ASSERT_NE(lists.scatterList, lists.atmoList);

    std::vector<FedBackVertex> atmo = feedback(lists.atmoList);
    std::vector<FedBackVertex> scatter = feedback(lists.scatterList);
    ASSERT_EQ(atmo.size(), 3u);
    ASSERT_EQ(scatter.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        float x = spec.positions[i][0];
        ASSERT_NEAR(atmo[i].x, windowX(x), 1e-3);
        EXPECT_FLOAT_EQ(atmo[i].rgba[0], 1.0f);
        // OpenGL clamps the colour to 0..1 on its way to the vertex.
        EXPECT_NEAR(atmo[i].rgba[3], std::clamp(3.0f * x * x - 0.6f, 0.0f, 1.0f), 1e-5) << x;
        EXPECT_NEAR(scatter[i].rgba[3], std::clamp(1.6f * x + 1.6f, 0.0f, 1.0f), 1e-5) << x;
    }
    EXPECT_NEAR(atmo[0].rgba[3], 0.15f, 1e-5);
    EXPECT_NEAR(scatter[1].rgba[3], 0.8f, 1e-5);
}

TEST_F(MeshListsTest, FixedMeshesBuildFiveListsFromTheirMembers) {
    package.members["meshes\\env.dat"] = meshBytes(oneTriangle());
    package.members["meshes\\sphere.dat"] = meshBytes(sphereOfPoints(30, 0.8f));
    FixedMeshLists lists;
    loadFixedMeshes(lists, package.opener());
    std::vector<std::uint32_t> names{lists.envList, lists.sphereList, lists.noisedSphereList, lists.atmoList,
                                     lists.scatterList};
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(glIsList(names[i])) << i;
        for (std::size_t j = 0; j < i; ++j) EXPECT_NE(names[i], names[j]);
    }
    EXPECT_EQ(lists.geometryList, 0u);
    EXPECT_EQ(feedback(lists.envList).size(), 3u);
    std::vector<FedBackVertex> plain = feedback(lists.sphereList);
    std::vector<FedBackVertex> noised = feedback(lists.noisedSphereList);
    ASSERT_EQ(plain.size(), 30u);
    ASSERT_EQ(noised.size(), 30u);
    int moved = 0;
    for (std::size_t i = 0; i < plain.size(); ++i) moved += plain[i].x != noised[i].x;
    EXPECT_GT(moved, 0);
    EXPECT_EQ(&fixedMeshLists(), &fixedMeshLists());
}

TEST_F(MeshListsTest, SphereArraysKeepTheWholeFileInMemory) {
    package.members["meshes\\sphere.dat"] = meshBytes(sphereOfPoints(12, 1.0f));
    SphereArrays arrays;
    loadSphereArrays(arrays, "meshes\\sphere.dat", package.opener());
    EXPECT_EQ(arrays.vertexCount, 12u);
    EXPECT_EQ(arrays.triangleCount, 4u);
    EXPECT_EQ(arrays.x.size(), 12u);
    EXPECT_EQ(arrays.normal[8].size(), 4u);

    loadSphereArrays(arrays, "meshes\\nothing.dat", package.opener());
    EXPECT_TRUE(arrays.empty());
    EXPECT_TRUE(arrays.x.empty());
}
