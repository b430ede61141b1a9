// Meshes, flames and particle systems on a real context: the GL state each leaves for the
// next object, what the flame emits, and what reaches the pixels.
#include "assets/mesh_lists.h"
#include "scene/flame.h"
#include "scene/mesh.h"
#include "scene/particle_system.h"
#include "tests/assets/mesh_fixtures.h"
#include "tests/scene/scene_fixtures.h"
#include "tests/scene/sprite_fixture.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

// Mesa's software rasteriser keeps a buffer for feedback rendering that it never frees
// when the context goes; that is the driver's leak, not ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:swrast_dri.so\n"; }

namespace tarnel {
namespace {

using testing::GlSnapshot;

// A square of side 2 in the model's xy plane, facing +z, compiled as a display list.
std::uint32_t squareList() {
    testing::MeshSpec spec;
    spec.positions = {{{-1, -1, 0}}, {{1, -1, 0}}, {{1, 1, 0}}, {{-1, 1, 0}}};
    spec.texCoords = {{{0, 0}}, {{1, 0}}, {{1, 1}}, {{0, 1}}};
    const std::array<float, 9> up{0, 0, 1, 0, 0, 1, 0, 0, 1};
    spec.triangles = {{{0, 1, 2}, {0, 1, 2}, up}, {{0, 2, 3}, {0, 2, 3}, up}};
    std::uint32_t list = 0;
    buildMeshList(list, "meshes\\square.dat", false, testing::meshOpener(testing::meshBytes(spec)));
    return list;
}

// Counts of the primitives feedback mode reports.
struct Emitted {
    int triangles = 0;
    int lineSegments = 0;
    std::vector<float> alphas;  // of every reported vertex
    std::vector<std::array<float, 2>> windowXY;
};

Emitted feedback(const std::function<void()>& draw) {
    std::vector<GLfloat> buffer(1 << 17);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    GLint used = glRenderMode(GL_RENDER);
    Emitted emitted;
    constexpr int kVertexFloats = 7;  // x, y, z, r, g, b, a
    for (GLint i = 0; i < used;) {
        GLint token = static_cast<GLint>(buffer[i++]);
        int vertices = 0;
        if (token == GL_POLYGON_TOKEN) {
            vertices = static_cast<int>(buffer[i++]);
            EXPECT_EQ(vertices, 3);
            ++emitted.triangles;
        } else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            vertices = 2;
            ++emitted.lineSegments;
        } else {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        for (int v = 0; v < vertices; ++v, i += kVertexFloats) {
            emitted.alphas.push_back(buffer[i + 6]);
            emitted.windowXY.push_back({buffer[i], buffer[i + 1]});
        }
    }
    return emitted;
}

class KindsDraw : public testing::SpriteGlTest {
protected:
    void SetUp() override {
        SpriteGlTest::SetUp();
        beginFrame();
    }
    static GLint integer(GLenum name) {
        GLint value = -1;
        glGetIntegerv(name, &value);
        return value;
    }
};

struct MeshCase {
    const char* name;
    std::function<void(Mesh&)> set;
};

TEST_F(KindsDraw, MeshesLeaveBlendAlphaTestAndLightingOnCullingOffAndAdditiveBlend) {
    const MeshCase cases[] = {
        {"plain", [](Mesh&) {}},
        {"metal", [](Mesh& m) { m.metal = true; }},
        {"light", [](Mesh& m) { m.light = true; }},
        {"illum", [](Mesh& m) { m.illum = true; }},
        {"blend", [](Mesh& m) { m.blend = true; }},
        {"everything", [](Mesh& m) { m.metal = m.light = m.illum = m.blend = true; }},
    };
    std::uint32_t list = squareList();
    for (const MeshCase& meshCase : cases) {
        SCOPED_TRACE(meshCase.name);
        glEnable(GL_TEXTURE_GEN_S);
        glEnable(GL_CULL_FACE);
        GlSnapshot before = GlSnapshot::take();
        Mesh mesh;
        mesh.displayList = list;
        meshCase.set(mesh);
        mesh.draw(camera);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        GlSnapshot after = GlSnapshot::take();
        EXPECT_TRUE(after.blend && after.alphaTest && after.lighting && after.texture2d);
        EXPECT_FALSE(after.cullFace);
        EXPECT_EQ(after.blendSrc, GL_SRC_ALPHA);
        EXPECT_EQ(after.blendDst, GL_ONE);
        EXPECT_EQ(after.depthMask, GL_TRUE);
        EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
        EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
        EXPECT_EQ(after.modelview, before.modelview);
        EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
        GLint environment = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &environment);
        EXPECT_EQ(environment, mesh.light ? GL_ADD : GL_MODULATE);
    }
}

TEST_F(KindsDraw, OnlyAMetalMeshIsLitByLightZeroAndOnlyWhileItDraws) {
    // Light 0 alone, shining straight at the square.
    glDisable(GL_LIGHT1);
    const GLfloat towards[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    glPushMatrix();
    glLoadIdentity();
    glLightfv(GL_LIGHT0, GL_POSITION, towards);
    glPopMatrix();
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 180.0f);
    std::uint32_t list = squareList();
    auto litRed = [&](bool metal) {
        Mesh mesh;
        mesh.displayList = list;
        mesh.position = Vector3(0, 0, 50);
        mesh.look = Vector3(1, 0, 0);
        mesh.right = Vector3(0, 1, 0);
        mesh.metal = metal;
        float red = 0.0f;
        std::vector<GLfloat> buffer(256);
        glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
        glRenderMode(GL_FEEDBACK);
        mesh.draw(camera);
        if (glRenderMode(GL_RENDER) > 0) red = buffer[2 + 3];  // first vertex of the first triangle
        EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
        return red;
    };
    float plain = litRed(false);
    float metal = litRed(true);
    EXPECT_LT(plain, 0.05f) << "only the ambient light";
    EXPECT_GT(metal, plain + 0.15f);
}

TEST_F(KindsDraw, MeshesNeverWriteDepthAndABlendMeshShowsAtItsFirstColourComponent) {
    Mesh mesh;
    mesh.displayList = squareList();
    mesh.look = Vector3(1, 0, 0);
    mesh.right = Vector3(0, 1, 0);
    mesh.scale = 50.0f;
    mesh.illum = true;
    mesh.blend = true;
    mesh.hasTexture = true;
    mesh.textureId = testing::solidTexture(255, 255, 255);
    mesh.color = Vector3(0.5f, 0.1f, 0.9f);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    mesh.draw(camera);
    EXPECT_NEAR(red(80, 60), 128, 2);
    GLfloat depth = 0.0f;
    glReadPixels(80, 60, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
}

TEST_F(KindsDraw, FlameEmitsFourBandsAndItsRingAndLeavesBlendTextureLightingDepthWrites) {
    lookFrom(Vector3(0, 150, 200), normalize(Vector3(0, -150, -200)));
    beginFrame();
    Flame flame;
    flame.size = 50.0f;
    flame.offset = 10.0f;
    glBlendFunc(GL_ONE, GL_ZERO);
    Emitted emitted = feedback([&] { flame.draw(camera); });
    // 1608 strip vertices make 1606 triangles; 201 line vertices make 200 segments.
    EXPECT_EQ(emitted.triangles + 2 + emitted.lineSegments + 1, 1809);
    EXPECT_EQ(emitted.lineSegments, 200);
    GlSnapshot after = GlSnapshot::take();
    EXPECT_TRUE(after.blend && after.texture2d && after.lighting);
    EXPECT_EQ(after.depthMask, GL_TRUE);
    EXPECT_EQ(after.blendSrc, GL_ONE) << "the flame keeps the blend function it found";
    float ringAlpha = emitted.alphas.back();
    EXPECT_EQ(ringAlpha, 1.0f);
}

struct SystemCase {
    ParticleMode mode;
    int dens;
};

TEST_F(KindsDraw, ParticleSystemsLeaveTheStateOfTheirBehaviour) {
    const SystemCase cases[] = {{ParticleMode::Line, 20}, {ParticleMode::Circ, 20}, {ParticleMode::Flash, 20},
                                {ParticleMode::Flash, 0}, {ParticleMode::Line, 0}, {ParticleMode::Circ, 0}};
    for (const SystemCase& systemCase : cases) {
        SCOPED_TRACE(static_cast<int>(systemCase.mode) * 100 + systemCase.dens);
        ParticleSystem system;
        system.mode = systemCase.mode;
        system.point1 = Vector3(0, 0, -500);
        system.allocateParticles(systemCase.dens);
        system.textureId = testing::solidTexture(255, 255, 255);
        for (int frame = 0; frame < 3; ++frame) {
            glEnable(GL_ALPHA_TEST);
            glEnable(GL_LIGHTING);
            glEnable(GL_CULL_FACE);
            GlSnapshot before = GlSnapshot::take();
            system.draw(camera);
            system.update(0.05);
            ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
            GlSnapshot after = GlSnapshot::take();
            bool flash = system.mode == ParticleMode::Flash;
            EXPECT_EQ(after.lighting, flash);
            EXPECT_EQ(after.alphaTest, flash);
            if (flash) {
                EXPECT_FALSE(after.cullFace);
            }
            EXPECT_EQ(after.cullMode, GL_BACK);
            EXPECT_TRUE(after.depthTest);
            EXPECT_EQ(after.depthMask, GL_TRUE);
            EXPECT_EQ(after.blendSrc, GL_SRC_ALPHA);
            EXPECT_EQ(after.blendDst, GL_ONE);
            EXPECT_EQ(after.modelview, before.modelview);
            EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
            EXPECT_EQ(integer(GL_TEXTURE_BINDING_2D), static_cast<GLint>(system.textureId));
        }
    }
}

TEST_F(KindsDraw, ASystemWithoutBehaviourDrawsNothingAndTouchesNoState) {
    ParticleSystem system;
    system.allocateParticles(10);
    glEnable(GL_LIGHTING);
    GlSnapshot before = GlSnapshot::take();
    Emitted emitted = feedback([&] { system.draw(camera); });
    GlSnapshot after = GlSnapshot::take();
    EXPECT_EQ(emitted.triangles, 0);
    EXPECT_TRUE(after.lighting);
    EXPECT_EQ(after.blendDst, before.blendDst);
}

TEST_F(KindsDraw, CircSpritesFadeInAndOutOverEachBurst) {
    ParticleSystem system;
    system.mode = ParticleMode::Circ;
    system.size = 0.0f;
    system.allocateParticles(1);
    system.textureId = testing::solidTexture(255, 255, 255);
    system.time = 2.0f;
    system.particles[0].position = Vector3(0, 0, 0);
    for (auto [timer, alpha] : {std::pair{0.0f, 0.0f}, std::pair{1.0f, 1.0f}, std::pair{1.5f, 0.5f}}) {
        system.timer = timer;
        Emitted emitted = feedback([&] { system.draw(camera); });
        ASSERT_FALSE(emitted.alphas.empty());
        EXPECT_NEAR(emitted.alphas.back(), alpha, 1e-5) << timer;
    }
}

TEST_F(KindsDraw, ParticleSpritesFaceTheScreenFromAnyView) {
    ParticleSystem system;
    system.mode = ParticleMode::Circ;
    system.allocateParticles(1);
    system.particles[0].position = Vector3(0, 0, 0);
    system.point1 = system.position;  // no centre sprite: only the particle's
    for (Vector3 eye : {Vector3(0, 0, 3000), Vector3(1800, 1350, 1950), Vector3(-2250, -600, -1800)}) {
        lookFrom(eye, normalize(-eye));
        beginFrame();
        system.particles[0].position = Vector3(0, 0, 0);
        Emitted emitted = feedback([&] { system.draw(camera); });
        ASSERT_EQ(emitted.triangles, 2);
        float minX = 1e9f, maxX = -1e9f, minY = 1e9f, maxY = -1e9f;
        for (auto [x, y] : emitted.windowXY) {
            minX = std::min(minX, x), maxX = std::max(maxX, x);
            minY = std::min(minY, y), maxY = std::max(maxY, y);
        }
        for (auto [x, y] : emitted.windowXY) {
            EXPECT_TRUE(std::fabs(x - minX) < 0.05f || std::fabs(x - maxX) < 0.05f) << x;
            EXPECT_TRUE(std::fabs(y - minY) < 0.05f || std::fabs(y - maxY) < 0.05f) << y;
        }
        EXPECT_NEAR(maxX - minX, maxY - minY, 0.05f) << "square on the screen";
    }
}

}  // namespace
}  // namespace tarnel
