#include "scene/flare.h"

#include "assets/texture_table.h"
#include "camera/random.h"
#include "tests/scene/sprite_fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace tarnel {
namespace {

using testing::GlSnapshot;
using testing::kViewHeight;
using testing::kViewWidth;
using testing::SpriteGlTest;

constexpr double kFrame = 0.05;  // seconds per test frame

// A parent probe: a flare reads its position and its right and look axes.
class Carrier : public SceneObject {
public:
    void draw(const CameraDirector&) override {}
    void update(double) override {}
};

TEST(FlareUpdate, FadesInAtFadeInPerSecondThenHoldsAtOnePlusTheTwinkleStep) {
    Flare f;
    f.visible = true;
    f.update(0.1);
    // 6 per second for 0.1 s, then the twinkle's brightening 0.7 per second.
    EXPECT_NEAR(f.fade, 0.6f + 0.07f, 1e-6f);
    f.update(1.0);
    EXPECT_NEAR(f.fade, 1.0f + 0.7f, 1e-6f);  // clamped to 1 before the twinkle step
    f.update(0.1);
    EXPECT_NEAR(f.fade, 1.07f, 1e-6f);
}

TEST(FlareUpdate, FadesOutAtFadeOutPerSecondAndStopsAtZero) {
    Flare f;
    f.fade = 1.0f;
    f.fadeOut = 3.0f;
    f.update(0.1);
    EXPECT_NEAR(f.fade, 0.7f + 0.07f, 1e-6f);
    f.fade = 0.1f;
    f.update(0.1);
    EXPECT_EQ(f.fade, 0.0f);  // clamped, and a dark flare does not brighten
    f.update(0.1);
    EXPECT_EQ(f.fade, 0.0f);
}

TEST(FlareUpdate, RollsAtItsSpeedAndWrapsIntoZeroTo360EitherWay) {
    Flare f;
    f.rotation = 350.0f;
    f.update(1.0);
    EXPECT_FLOAT_EQ(f.rotation, 14.0f);  // 24 degrees per second by default
    f.rotation = 5.0f;
    f.rotationSpeed = -60.0f;
    f.update(0.5);
    EXPECT_FLOAT_EQ(f.rotation, 335.0f);
    f.update(10.0);  // 600 degrees back in one step
    EXPECT_FLOAT_EQ(f.rotation, 95.0f);
}

TEST(FlareUpdate, TwinkleDimsForItsFirstPhaseThenBrightens) {
    seedRandom(100000);
    float r1 = random01() * 2.0f;
    float r2 = random01() * 2.0f;
    seedRandom(100000);
    Flare f;
    f.visible = true;
    f.fade = 1.0f;
    f.flash = 2.0f;
    f.update(0.001);  // the empty first cycle ends and draws the next one
    EXPECT_FLOAT_EQ(f.twinkleDim, r1 * 6.0f);
    EXPECT_FLOAT_EQ(f.twinkleEnd, (r1 + r2) * 6.0f);
    EXPECT_EQ(f.twinkleClock, 0.0f);
    ASSERT_GT(r1, 0.05f);
    f.update(0.01);  // inside the dimming phase
    EXPECT_NEAR(f.fade, 1.0f - 0.007f, 1e-6f);
    f.twinkleClock = f.twinkleDim;  // past it, the brightening phase
    f.update(0.01);
    EXPECT_NEAR(f.fade, 1.0f + 0.007f, 1e-5f);  // faded in to 1, then brightened
}

TEST(FlareUpdate, WithoutFlashAVisibleFlareStaysAtFullFade) {
    Flare f;
    f.visible = true;
    f.fade = 1.0f;
    for (int i = 0; i < 50; ++i) {
        f.update(kFrame);
        EXPECT_GE(f.fade, 1.0f);
        EXPECT_LE(f.fade, 1.0f + 0.7f * kFrame + 1e-6f);
    }
}

TEST(FlareLensTextures, FilledByExactPathWithTgaSettingAlpha) {
    TextureTable table;
    for (const char* path : {"textures\\ring.jpg", "textures\\glow.tga"}) {
        auto entry = std::make_unique<TextureEntry>();
        std::snprintf(entry->path, sizeof entry->path, "%s", path);
        entry->glTexture = static_cast<std::uint32_t>(table.entries.size() + 40);
        table.entries.push_back(std::move(entry));
    }
    Flare f;
    f.setLensTexture(0, "textures\\ring.jpg", table);
    EXPECT_EQ(f.lensTextures[0], 40u);
    EXPECT_FALSE(f.alphaTexture);
    f.setLensTexture(1, "textures\\glow.tga", table);
    EXPECT_EQ(f.lensTextures[1], 41u);
    EXPECT_TRUE(f.alphaTexture);
    f.setLensTexture(1, "textures\\RING.jpg", table);  // letter case counts: not found
    EXPECT_EQ(f.lensTextures[1], 41u);
    f.setLensTexture(3, "textures\\ring.jpg", table);
    f.setLensTexture(-1, "textures\\ring.jpg", table);
    EXPECT_EQ(f.lensTextures[2], 0u);
}

class FlareDraw : public SpriteGlTest {
protected:
    void SetUp() override {
        SpriteGlTest::SetUp();
        flare.rotationSpeed = 0.0f;
    }

    // An opaque grey quad across the middle of the view at z, drawn as an earlier object of
    // the frame would be: it writes depth.
    void drawOccluder(float z) {
        glDisable(GL_LIGHTING);
        glDisable(GL_BLEND);
        glColor4f(0.25f, 0.25f, 0.25f, 1.0f);
        glBegin(GL_QUADS);
        glVertex3f(-50.0f, -50.0f, z);
        glVertex3f(50.0f, -50.0f, z);
        glVertex3f(50.0f, 50.0f, z);
        glVertex3f(-50.0f, 50.0f, z);
        glEnd();
        glEnable(GL_BLEND);
        glEnable(GL_LIGHTING);
    }

    // One frame: draw (with an occluder in front when asked), then the update pass.
    void frame(bool covered = false) {
        beginFrame();
        if (covered) drawOccluder(100.0f);
        flare.draw(camera);
        gl->swapBuffers();
        flare.update(kFrame);
    }

    Flare flare;
};

TEST_F(FlareDraw, UncoveredFlareFadesInAtFadeInPerSecondAndShows) {
    frame();
    EXPECT_TRUE(flare.visible);
    EXPECT_NEAR(flare.fade, 6.0 * kFrame + 0.7 * kFrame, 1e-5);
    EXPECT_EQ(red(80, 60), 0);  // drawn before its first update: still dark
    frame();
    EXPECT_NEAR(flare.fade, 2 * (6.0 * kFrame + 0.7 * kFrame), 1e-5);
    EXPECT_NEAR(red(80, 60), (6.0 * kFrame + 0.7 * kFrame) * 255, 2);
    for (int i = 0; i < 3; ++i) frame();
    EXPECT_NEAR(red(80, 60), 255, 1);
    // The main sprite: a square 2 * size pixels across about the projected point.
    Lit l = lit();
    EXPECT_EQ(l.width(), 20);
    EXPECT_EQ(l.height(), 20);
    EXPECT_NEAR((l.minX + l.maxX) / 2.0, 79.5, 1.0);
}

TEST_F(FlareDraw, GeometryDrawnEarlierHidesTheFlareWhichFadesOut) {
    for (int i = 0; i < 5; ++i) frame();
    ASSERT_GE(flare.fade, 1.0f);
    flare.fade = 1.0f;
    frame(true);
    EXPECT_FALSE(flare.visible);
    EXPECT_NEAR(flare.fade, 1.0 - 6.0 * kFrame + 0.7 * kFrame, 1e-3);
    for (int i = 0; i < 5; ++i) frame(true);
    EXPECT_EQ(flare.fade, 0.0f);
    frame(true);
    EXPECT_EQ(red(80, 60), 64);  // only the occluder's grey
    frame();
    EXPECT_TRUE(flare.visible);  // uncovered again, it comes back
}

TEST_F(FlareDraw, GeometryBehindTheLightDoesNotHideIt) {
    beginFrame();
    drawOccluder(-100.0f);
    flare.draw(camera);
    EXPECT_TRUE(flare.visible);
}

TEST_F(FlareDraw, LightBehindTheCameraNeverShows) {
    flare.position = Vector3(0.0f, 0.0f, 400.0f);
    for (int i = 0; i < 20; ++i) {
        frame();
        EXPECT_FALSE(flare.visible);
        EXPECT_EQ(flare.fade, 0.0f);
        EXPECT_EQ(lit(0).count, 0);
    }
}

TEST_F(FlareDraw, LightOffTheViewportIsHiddenWithoutReadingOutsideIt) {
    for (Vector3 p : {Vector3(1000.0f, 0.0f, 0.0f), Vector3(0.0f, -1000.0f, 0.0f), Vector3(-1000.0f, 0.0f, 0.0f)}) {
        flare.position = p;
        flare.fade = 1.0f;
        frame();
        EXPECT_FALSE(flare.visible);
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    }
}

TEST_F(FlareDraw, EnvFlareShowsOnlyWhereNothingWasDrawn) {
    flare.env = true;
    flare.anchor = Vector3(0.0f, 0.0f, -1.0f);
    flare.position = Vector3(0.0f, 0.0f, 0.0f);
    frame();
    EXPECT_TRUE(flare.visible);
    EXPECT_FLOAT_EQ(flare.position.z, 199.0f);
    frame(true);
    EXPECT_FALSE(flare.visible);
}

TEST_F(FlareDraw, ParentModePlacesTheLightInTheParentsFrame) {
    Carrier parent;
    parent.position = Vector3(10.0f, 0.0f, 0.0f);
    parent.right = Vector3(1.0f, 0.0f, 0.0f);
    parent.look = Vector3(0.0f, 0.0f, 1.0f);
    flare.parent = &parent;
    flare.anchor = Vector3(1.0f, 2.0f, 3.0f);
    frame();
    // The third axis is right x look = (0, -1, 0).
    EXPECT_FLOAT_EQ(flare.position.x, 11.0f);
    EXPECT_FLOAT_EQ(flare.position.y, -2.0f);
    EXPECT_FLOAT_EQ(flare.position.z, 3.0f);
}

TEST_F(FlareDraw, FlareWithAMissingParentIsNeverDrawnNorTested) {
    flare.parentNotFound = true;
    beginFrame();
    GlSnapshot before = GlSnapshot::take();
    for (int i = 0; i < 5; ++i) frame();
    GlSnapshot after = GlSnapshot::take();
    EXPECT_FALSE(flare.visible);
    EXPECT_EQ(flare.fade, 0.0f);
    EXPECT_EQ(lit(0).count, 0);
    EXPECT_EQ(after.blendDst, before.blendDst);
}

TEST_F(FlareDraw, WidthFactorWidensTheSpriteAndLuminScalesIt) {
    flare.fade = 1.0f;
    flare.xy = 2.0f;
    flare.lumin = 0.5f;
    beginFrame();
    flare.draw(camera);
    gl->swapBuffers();
    Lit l = lit();
    EXPECT_EQ(l.width(), 40);
    EXPECT_EQ(l.height(), 20);
    EXPECT_NEAR(red(80, 60), 128, 1);
}

TEST_F(FlareDraw, FocusDimsTheSpriteAwayFromTheAnchorDirection) {
    flare.fade = 1.0f;
    flare.focusOn = true;
    flare.focus = 0.9f;
    auto brightnessAt = [&](float degrees) {
        float a = degrees * 3.14159265f / 180.0f;
        flare.anchor = Vector3(std::sin(a), 0.0f, -std::cos(a));
        beginFrame();
        flare.draw(camera);
        gl->swapBuffers();
        return red(80, 60);
    };
    EXPECT_NEAR(brightnessAt(0.0f), 255, 1);
    EXPECT_NEAR(brightnessAt(20.0f), (std::cos(20.0 * std::acos(-1.0) / 180.0) - 0.9) / 0.1 * 255, 2);
    EXPECT_EQ(brightnessAt(26.0f), 0);  // beyond about 25.8 degrees
}

// Lens effect geometry as GL sees it: window coordinates and colours of every vertex.
struct FeedbackVertex {
    float x, y, r, g, b;
};

std::vector<FeedbackVertex> feedbackOf(Flare& flare, const CameraDirector& camera) {
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR, buffer.data());
    glRenderMode(GL_FEEDBACK);
    flare.draw(camera);
    GLint n = glRenderMode(GL_RENDER);
    std::vector<FeedbackVertex> vertices;
    for (GLint i = 0; i < n;) {
        GLint token = static_cast<GLint>(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) break;
        GLint count = static_cast<GLint>(buffer[i++]);
        for (GLint v = 0; v < count; ++v, i += 7)
            vertices.push_back({buffer[i], buffer[i + 1], buffer[i + 3], buffer[i + 4], buffer[i + 5]});
    }
    return vertices;
}

bool isStreakColour(const FeedbackVertex& v) {
    return (std::fabs(v.r - 0.6f) < 0.01f && std::fabs(v.g - 0.3f) < 0.01f) ||
           (std::fabs(v.r - 0.8f) < 0.01f && std::fabs(v.g - 0.8f) < 0.01f);
}

void expectFiniteWithoutStreaks(const std::vector<FeedbackVertex>& vertices) {
    ASSERT_FALSE(vertices.empty());
    for (const FeedbackVertex& v : vertices) {
        EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
        EXPECT_FALSE(isStreakColour(v));
    }
}

TEST_F(FlareDraw, LensEffectDrawsStreaksOffCentreAndNoneAtTheCentreOrTheWindowOrigin) {
    flare.fade = 1.0f;
    flare.lenseffect = true;
    flare.lensSize = 8.0f;
    for (std::uint32_t& slot : flare.lensTextures) slot = 7;
    flare.position = Vector3(20.0f, 10.0f, 0.0f);
    beginFrame();
    std::vector<FeedbackVertex> offCentre = feedbackOf(flare, camera);
    int streakVertices = 0, ghostVertices = 0;
    for (const FeedbackVertex& v : offCentre) {
        EXPECT_TRUE(std::isfinite(v.x) && std::isfinite(v.y));
        if (isStreakColour(v)) ++streakVertices;
        if (std::fabs(v.g - 0.2f) < 0.01f) ++ghostVertices;
    }
    EXPECT_GT(streakVertices, 0);
    EXPECT_GE(ghostVertices, 3 * 20);  // most of the 23 ghosts stay on the screen

    flare.position = Vector3(0.0f, 0.0f, 0.0f);  // projects exactly onto the centre
    beginFrame();
    std::vector<FeedbackVertex> centred = feedbackOf(flare, camera);
    expectFiniteWithoutStreaks(centred);

    // A viewport moved so that the view's centre is the window origin: F = (0, 0).
    glViewport(-kViewWidth / 2, -kViewHeight / 2, kViewWidth, kViewHeight);
    beginFrame();
    std::vector<FeedbackVertex> atOrigin = feedbackOf(flare, camera);
    expectFiniteWithoutStreaks(atOrigin);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(FlareDraw, LensEffectLeavesOutTheGhostsAndStreaksOfEmptySlots) {
    flare.fade = 1.0f;
    flare.lenseffect = true;
    flare.lensSize = 8.0f;
    flare.position = Vector3(20.0f, 10.0f, 0.0f);
    flare.lensTextures[1] = 7;  // slots 0 and 2 name textures that are not in the table
    beginFrame();
    int ghostVertices = 0;
    for (const FeedbackVertex& v : feedbackOf(flare, camera)) {
        EXPECT_FALSE(isStreakColour(v)) << "the streaks take slot 2";
        if (std::fabs(v.g - 0.2f) > 0.01f) continue;
        ++ghostVertices;
        EXPECT_LT(v.r, 0.95f) << "ghosts 20 to 22, the reddest, take slot 0";
    }
    EXPECT_GE(ghostVertices, 3 * 17) << "the ghosts of slot 1 are still drawn";
}

TEST_F(FlareDraw, LeavesMatricesAsFoundAndTheSpriteStateWhenDrawn) {
    Carrier parent;
    struct Case {
        const char* label;
        void (*set)(Flare&, SceneObject*);
    };
    const Case cases[] = {
        {"dark", [](Flare&, SceneObject*) {}},
        {"lit", [](Flare& f, SceneObject*) { f.fade = 1.0f; }},
        {"env", [](Flare& f, SceneObject*) { f.fade = 1.0f; f.env = true; f.anchor = Vector3(0, 0, -1); }},
        {"parent", [](Flare& f, SceneObject* p) { f.fade = 0.5f; f.parent = p; }},
        {"lens", [](Flare& f, SceneObject*) { f.fade = 1.0f; f.lenseffect = true; f.position = Vector3(9, 4, 0); }},
        {"orient", [](Flare& f, SceneObject*) { f.fade = 1.0f; f.orient = true; f.lenseffect = true; f.orientVector = Vector3(5, 5, 0); }},
        {"focus", [](Flare& f, SceneObject*) { f.fade = 1.0f; f.focusOn = true; f.focus = 0.5f; f.anchor = Vector3(0, 0, -1); }},
        {"behind", [](Flare& f, SceneObject*) { f.fade = 1.0f; f.position = Vector3(0, 0, 500); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Flare f;
        c.set(f, &parent);
        beginFrame();
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glDepthMask(GL_FALSE);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glMatrixMode(GL_TEXTURE);
        glScalef(2.0f, 2.0f, 1.0f);
        glMatrixMode(GL_MODELVIEW);
        GlSnapshot before = GlSnapshot::take();
        f.draw(camera);
        GlSnapshot after = GlSnapshot::take();
        EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
        bool drawn = f.fade > 0.0f;
        EXPECT_EQ(after.blendDst, drawn ? GL_ONE : GL_ONE_MINUS_SRC_ALPHA);
        EXPECT_EQ(after.blendSrc, GL_SRC_ALPHA);
        EXPECT_EQ(after.lighting, drawn);
        EXPECT_EQ(after.depthTest, drawn);
        EXPECT_EQ(after.depthMask, GL_FALSE);
        testing::expectSpriteRestingState(before, after);
        EXPECT_EQ(after.viewport[2], kViewWidth);
        EXPECT_EQ(after.viewport[3], kViewHeight);
    }
}

}  // namespace
}  // namespace tarnel
