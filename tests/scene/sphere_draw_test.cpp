// Sphere draws on a real context: the state each flag combination leaves for the next
// object, and what reaches the pixels.
#include "scene/sphere.h"
#include "assets/list_summary.h"
#include "scene/view_cull.h"
#include "tests/scene/scene_fixtures.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace tarnel {
namespace {

using testing::SceneGl;

class SphereDraw : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(scene.start());
        list = testing::unitSphereList();
        ASSERT_NE(list, 0u);
        scene.lookFrom(Vector3(0, 0, 100));
    }

    void prepare(Sphere& sphere) const {
        sphere.displayList = list;
        sphere.radius = 20.0f;
    }

    SceneGl scene;
    std::uint32_t list = 0;
};

GLint integer(GLenum name) {
    GLint value = -1;
    glGetIntegerv(name, &value);
    return value;
}

bool textureMatrixIsIdentity() {
    GLfloat m[16];
    glGetFloatv(GL_TEXTURE_MATRIX, m);
    for (int i = 0; i < 16; ++i)
        if (m[i] != ((i % 5 == 0) ? 1.0f : 0.0f)) return false;
    return true;
}

struct FlagCase {
    const char* name;
    std::function<void(Sphere&)> set;
};

TEST_F(SphereDraw, EveryFlagCombinationLeavesTheRestingState) {
    Sphere parent;
    prepare(parent);
    const FlagCase cases[] = {
        {"plain", [](Sphere&) {}},
        {"alpha", [](Sphere& s) { s.alpha = 0.5f; }},
        {"alpha light", [](Sphere& s) { s.alpha = 0.5f; s.light = true; }},
        {"env", [](Sphere& s) { s.env = true; }},
        {"env alpha", [](Sphere& s) { s.env = true; s.alpha = 0.3f; }},
        {"atmo", [](Sphere& s) { s.atmo = true; s.position = Vector3(10, 0, 0); }},
        {"flash", [](Sphere& s) { s.flash = true; s.flashOn = true; }},
        {"flash rnd alphaTexture", [](Sphere& s) { s.flash = s.rnd = s.alphaTexture = true; }},
        {"wire", [](Sphere& s) { s.wire = true; }},
        {"mask", [](Sphere& s) { s.mask = true; }},
        {"depth", [](Sphere& s) { s.depth = true; }},
        {"sys", [&parent](Sphere& s) { s.sys = true; s.parent = &parent; }},
        {"specular", [](Sphere& s) { s.specular = true; }},
        {"alphaTexture", [](Sphere& s) { s.alphaTexture = true; }},
        {"everything", [&parent](Sphere& s) {
             s.alpha = 0.4f; s.light = s.atmo = s.flash = s.wire = s.mask = s.depth = s.sys = true;
             s.specular = s.alphaTexture = s.rnd = true; s.parent = &parent; s.position = Vector3(5, 5, 5); }},
    };
    for (const FlagCase& flagCase : cases) {
        SCOPED_TRACE(flagCase.name);
        Sphere sphere;
        prepare(sphere);
        flagCase.set(sphere);
        sphere.draw(scene.camera);
        ASSERT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        EXPECT_TRUE(glIsEnabled(GL_BLEND));
        EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
        EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
        EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_TRUE);
        GLboolean colourWrites[4] = {};
        glGetBooleanv(GL_COLOR_WRITEMASK, colourWrites);
        EXPECT_TRUE(colourWrites[0] && colourWrites[1] && colourWrites[2] && colourWrites[3]);
        EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
        EXPECT_FALSE(glIsEnabled(GL_CULL_FACE));
        EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
        EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
        EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
        EXPECT_FALSE(glIsEnabled(GL_COLOR_MATERIAL));
        EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
        EXPECT_EQ(integer(GL_MODELVIEW_STACK_DEPTH), 1);
        EXPECT_EQ(integer(GL_PROJECTION_STACK_DEPTH), 1);
        EXPECT_TRUE(textureMatrixIsIdentity());
    }
}

TEST_F(SphereDraw, DrawKeepsTheModelviewAndProjectionItFound) {
    GLfloat modelview[16], projection[16], after[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    Sphere sky;
    prepare(sky);
    sky.env = true;
    sky.draw(scene.camera);
    glGetFloatv(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], modelview[i]);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], projection[i]);
}

TEST_F(SphereDraw, EnvSphereFollowsTheEyeWhileDrawingAndIsLeftAtThePosition) {
    Sphere sky;
    prepare(sky);
    sky.env = true;
    scene.camera.position = Vector3(1, 2, 3);
    sky.draw(scene.camera);
    EXPECT_EQ(sky.position.x, 1.0f);
    EXPECT_EQ(sky.position.z, 3.0f);
}

TEST_F(SphereDraw, EnvSphereSurroundsTheEyeSeenFromInside) {
    Sphere sky;
    prepare(sky);
    sky.env = true;
    sky.hasTexture = true;
    sky.textureId = testing::solidTexture(200, 40, 10);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    sky.draw(scene.camera);
    for (auto [x, y] : {std::pair{40, 30}, std::pair{2, 2}, std::pair{77, 57}}) {
        auto p = scene.pixel(x, y);
        EXPECT_NEAR(p[0], 200, 3) << x << "," << y;
        EXPECT_NEAR(p[1], 40, 3);
    }
}

// The picture keeps its height and takes its width from the window, so a sphere straight
// ahead is as wide as it is high on every screen, 16:9 first among them.
TEST(SphereShape, ASphereStraightAheadIsRoundOnEveryWindowShape) {
    for (auto [width, height] : {std::pair{1920, 1080}, std::pair{2560, 1080}, std::pair{1280, 1024}, std::pair{640, 480}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        SceneGl scene;
        ASSERT_TRUE(scene.start(width, height));
        scene.lookFrom(Vector3(0, 0, 100));
        Sphere ball;
        ball.displayList = testing::unitSphereList();
        ball.radius = 20.0f;
        ball.light = true;  // self-lit: every pixel of the disc shows the texture
        ball.hasTexture = true;
        ball.textureId = testing::solidTexture(250, 250, 250);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        ball.draw(scene.camera);
        std::vector<std::uint8_t> pixels = scene.gl->readPixels();
        auto lit = [&](int x, int y) { return pixels[(static_cast<std::size_t>(y) * width + x) * 4] > 128; };
        int litWidth = 0, litHeight = 0;
        for (int x = 0; x < width; ++x) litWidth += lit(x, height / 2);
        for (int y = 0; y < height; ++y) litHeight += lit(width / 2, y);
        ASSERT_GT(litHeight, height / 4);
        EXPECT_LT(std::abs(litWidth - litHeight), 0.02 * litHeight) << litWidth << " wide, " << litHeight << " high";
    }
}

TEST_F(SphereDraw, SphereWithoutEnvIsInvisibleFromInside) {
    Sphere shell;
    prepare(shell);
    shell.radius = 500.0f;
    shell.hasTexture = true;
    shell.textureId = testing::solidTexture(200, 40, 10);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    shell.draw(scene.camera);
    EXPECT_EQ(scene.pixel(40, 30)[0], 0) << "back faces are culled";
}

TEST_F(SphereDraw, TexturedSphereIsLitFromLightOnesSide) {
    const GLfloat fromRight[4] = {100000.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, fromRight);
    Sphere planet;
    prepare(planet);
    planet.hasTexture = true;
    planet.textureId = testing::solidTexture(20, 220, 30);
    planet.rotationSpeed = 0.0f;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    planet.draw(scene.camera);
    // The sphere of radius 20 at 100 units spans about 40 % of the view's width.
    auto lit = scene.pixel(48, 30);
    auto dark = scene.pixel(32, 30);
    EXPECT_GT(lit[1], 120);
    EXPECT_GT(lit[1], lit[0] + 80) << "the texture's green shows";
    EXPECT_LT(dark[1], lit[1] / 3);
    EXPECT_EQ(scene.pixel(2, 2)[1], 0) << "nothing outside the sphere";
}

TEST_F(SphereDraw, MaskHidesWhatIsDrawnBehindItAndShowsNothingItself) {
    scene.lookFrom(Vector3(0, 0, 150));  // the mask's front stays beyond the near plane
    Sphere mask;
    prepare(mask);
    mask.mask = true;
    mask.position = Vector3(0, 0, 20);
    mask.radius = 10.0f;
    Sphere behind;
    prepare(behind);
    behind.hasTexture = true;
    behind.textureId = testing::solidTexture(255, 255, 255);
    behind.light = true;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    mask.draw(scene.camera);
    EXPECT_EQ(scene.pixel(40, 30)[0], 0);
    GLfloat depth = 1.0f;
    glReadPixels(40, 30, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_LT(depth, 1.0f) << "the mask wrote depth";
    behind.draw(scene.camera);
    EXPECT_EQ(scene.pixel(40, 30)[0], 0) << "covered by the mask";
    EXPECT_GT(scene.pixel(40 + 5, 30)[0], 200) << "outside the mask the sphere shows";
}

TEST_F(SphereDraw, AWireMaskStillShowsItsColour) {
    Sphere wire;
    prepare(wire);
    wire.mask = wire.wire = true;
    wire.color = Vector3(1, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    wire.draw(scene.camera);
    EXPECT_GT(scene.pixel(40, 30)[0], 200);
}

TEST_F(SphereDraw, DepthSphereWritesColourButNoDepth) {
    scene.lookFrom(Vector3(0, 0, 150));
    Sphere layer;
    prepare(layer);
    layer.depth = true;
    layer.light = true;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    layer.draw(scene.camera);
    GLfloat depth = 0.0f;
    glReadPixels(40, 30, 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    EXPECT_EQ(depth, 1.0f);
    EXPECT_GT(scene.pixel(40, 30)[0], 0);
}

TEST_F(SphereDraw, SatelliteWithoutItsParentIsNotDrawn) {
    Sphere orphan;
    prepare(orphan);
    orphan.sys = true;
    orphan.light = true;
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBlendFunc(GL_ONE, GL_ZERO);
    orphan.draw(scene.camera);
    EXPECT_EQ(scene.pixel(40, 30)[0], 0);
    EXPECT_EQ(integer(GL_BLEND_DST), GL_ZERO) << "a skipped draw leaves the state alone";
}

TEST_F(SphereDraw, SatelliteIsDrawnInItsColourBesideItsParent) {
    Sphere parent;
    prepare(parent);
    parent.position = Vector3(-30, 0, 0);
    Sphere satellite;
    prepare(satellite);
    satellite.sys = satellite.light = true;
    satellite.parent = &parent;
    satellite.position = Vector3(30, 0, 0);
    satellite.radius = 8.0f;
    satellite.color = Vector3(0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    satellite.draw(scene.camera);
    auto centre = scene.pixel(40, 30);
    EXPECT_GT(centre[2], 200);
    EXPECT_EQ(centre[0], 0);
}

// The vertex attributes a draw leaves current, which the next object may draw with.
std::array<GLfloat, 10> currentAttributes() {
    std::array<GLfloat, 10> values{};
    glGetFloatv(GL_CURRENT_NORMAL, values.data());
    GLfloat texCoord[4];
    glGetFloatv(GL_CURRENT_TEXTURE_COORDS, texCoord);
    values[3] = texCoord[0];
    values[4] = texCoord[1];
    glGetFloatv(GL_CURRENT_COLOR, values.data() + 5);
    values[9] = texCoord[3];
    return values;
}

TEST_F(SphereDraw, ListsOutOfViewAreSkippedAndLeaveWhatTheListWouldHaveLeft) {
    FixedMeshLists lists;
    buildShellLists(lists, "meshes\\sphere.dat", testing::meshOpener(testing::unitSphereMesh()));
    for (std::uint32_t shell : {list, lists.atmoList, lists.scatterList}) {
        Sphere aside;
        prepare(aside);
        aside.displayList = shell;
        aside.position = Vector3(300, 0, 0);  // far beyond the right edge
        std::array<GLfloat, 10> drawn, skipped;
        glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
        setViewCulling(false);
        aside.draw(scene.camera);
        drawn = currentAttributes();
        glColor4f(0.1f, 0.2f, 0.3f, 0.4f);
        glNormal3f(0, 1, 0);
        glTexCoord2f(0.5f, 0.5f);
        setViewCulling(true);
        aside.draw(scene.camera);
        skipped = currentAttributes();
        EXPECT_EQ(drawn, skipped);
    }
    setViewCulling(false);
}

TEST_F(SphereDraw, OnlyWhatLiesWhollyOutsideOneViewPlaneIsSkipped) {
    setViewCulling(true);
    Sphere edge;
    prepare(edge);
    edge.hasTexture = true;
    edge.textureId = testing::solidTexture(255, 255, 255);
    edge.light = true;
    // Its centre is out of view to the right, but its left side reaches into the picture.
    edge.position = Vector3(80, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    edge.draw(scene.camera);
    EXPECT_GT(scene.pixel(SceneGl::kWidth - 2, 30)[0], 200);
    // A list said to reach only a little way from its centre is skipped at the same place,
    // which shows that the skip is taken from the list's reach and nothing else.
    ListSummary small = *listSummary(list);
    small.extent = 0.01f;
    recordListSummary(list, small);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    edge.draw(scene.camera);
    EXPECT_EQ(scene.pixel(SceneGl::kWidth - 2, 30)[0], 0);
    setViewCulling(false);
    edge.draw(scene.camera);
    EXPECT_GT(scene.pixel(SceneGl::kWidth - 2, 30)[0], 200) << "drawn whole with culling off";
}

}  // namespace
}  // namespace tarnel
