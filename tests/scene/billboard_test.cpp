#include "scene/billboard.h"

#include "camera/random.h"
#include "tests/scene/sprite_fixture.h"

#include <gtest/gtest.h>

#include <set>

namespace tarnel {
namespace {

using testing::GlSnapshot;
using testing::SpriteGlTest;
using testing::kViewHeight;

// A probe parent: only its position is read.
class Anchor : public SceneObject {
public:
    void draw(const CameraDirector&) override {}
    void update(double) override {}
};

TEST(BillboardUpdate, RollsAtItsSpeedAndWrapsIntoZeroTo360EitherWay) {
    Billboard b;
    b.rotationSpeed = 60.0f;
    b.update(7.0);
    EXPECT_FLOAT_EQ(b.rotation, 60.0f);  // 420 wrapped once
    b.rotation = 10.0f;
    b.rotationSpeed = -60.0f;
    b.update(1.0);
    EXPECT_FLOAT_EQ(b.rotation, 310.0f);
    b.update(10.0);  // 600 degrees back in one step
    EXPECT_FLOAT_EQ(b.rotation, 70.0f);
}

TEST(BillboardUpdate, StartsWithARandomRollSpeedWithinSixtyDegreesEitherWay) {
    seedRandom(11);
    std::set<float> speeds;
    for (int i = 0; i < 20; ++i) {
        Billboard b;
        EXPECT_GE(b.rotationSpeed, -60.0f);
        EXPECT_LE(b.rotationSpeed, 60.0f);
        speeds.insert(b.rotationSpeed);
    }
    EXPECT_GT(speeds.size(), 10u);
}

TEST(BillboardUpdate, BlinkTimerRunsThroughHiddenThenShownAndWraps) {
    Billboard b;
    b.flash = true;
    b.flashHidden = 1.0f;
    b.flashShown = 2.0f;
    b.update(2.5);
    EXPECT_FLOAT_EQ(b.flashTime, 2.5f);
    b.update(1.0);
    EXPECT_FLOAT_EQ(b.flashTime, 0.5f);  // 3.5 is past the 3-second cycle
    b.update(2.5);
    EXPECT_FLOAT_EQ(b.flashTime, 3.0f);  // a whole cycle is not yet past it
    b.update(7.0);
    EXPECT_FLOAT_EQ(b.flashTime, 1.0f) << "a step of several cycles lands inside the cycle";
}

class BillboardDraw : public SpriteGlTest {
protected:
    // A plain billboard at the origin, square to the camera, not rolled.
    static void square(Billboard& b, float size = 20.0f) {
        b.size = size;
        b.rotation = 0.0f;
    }

    Lit drawn(Billboard& b) {
        beginFrame();
        b.draw(camera);
        gl->swapBuffers();
        return lit();
    }
};

TEST_F(BillboardDraw, DefaultQuadFacesTheViewerSquareAndWhite) {
    Billboard b;
    square(b);
    Lit l = drawn(b);
    // 40 units at 200 units away in a view 200 units high at that distance: 20% of 120 px.
    EXPECT_NEAR(l.height(), 24, 2);
    EXPECT_NEAR(l.width(), 24, 2);
    EXPECT_NEAR((l.minX + l.maxX) / 2.0, 80, 1.5);
    EXPECT_NEAR(red(80, 60), 255, 1);
    // Facing: drawn seen from the side too, its axes rewritten from the modelview matrix.
    lookFrom(Vector3(200.0f, 0.0f, 0.0f), Vector3(-1.0f, 0.0f, 0.0f));
    Lit side = drawn(b);
    EXPECT_NEAR(side.width(), 24, 2);
    EXPECT_NEAR(b.right.z, -1.0f, 1e-5f);
}

TEST_F(BillboardDraw, WidthFactorAndRollShapeTheQuad) {
    Billboard b;
    square(b);
    b.xy = 2.0f;
    Lit wide = drawn(b);
    EXPECT_NEAR(wide.width(), 2 * wide.height(), 3);
    b.rotation = 90.0f;
    Lit turned = drawn(b);
    EXPECT_NEAR(turned.height(), 2 * turned.width(), 3);
}

TEST_F(BillboardDraw, BlinkHidesTheQuadForTheHiddenPartOfEachCycle) {
    Billboard b;
    square(b);
    b.flash = true;
    b.flashHidden = 1.0f;
    b.flashShown = 2.0f;
    b.flashTime = 0.5f;
    EXPECT_EQ(drawn(b).count, 0);
    b.update(1.0);
    EXPECT_GT(drawn(b).count, 0);
    b.update(2.0);  // 3.5 wraps to 0.5: hidden again
    EXPECT_EQ(drawn(b).count, 0);
}

TEST_F(BillboardDraw, OnlyAParentedBillboardFlickersInAlpha) {
    Billboard b;
    square(b);
    b.alpha = 0.5f;
    std::set<int> loose;
    for (int i = 0; i < 6; ++i) {
        drawn(b);
        loose.insert(red(80, 60));
    }
    EXPECT_EQ(loose.size(), 1u);
    EXPECT_NEAR(*loose.begin(), 128, 1);

    Anchor parent;
    b.parent = &parent;
    b.color = Vector3(1.0f, 1.0f, 1.0f);
    std::set<int> flickering;
    for (int i = 0; i < 12; ++i) {
        drawn(b);
        int value = red(80, 60);
        EXPECT_GE(value, 127);
        EXPECT_LE(value, 205);  // alpha + 0.3 at most
        flickering.insert(value);
    }
    EXPECT_GT(flickering.size(), 3u);
}

TEST_F(BillboardDraw, ParentModeHangsAlongTheCameraUpFromTheParent) {
    Anchor parent;
    parent.position = Vector3(30.0f, 0.0f, 0.0f);
    Billboard b;
    square(b, 5.0f);
    b.parent = &parent;
    b.anchor = Vector3(100.0f, 20.0f, 100.0f);  // only y counts
    drawn(b);
    EXPECT_FLOAT_EQ(b.position.x, 30.0f);
    EXPECT_FLOAT_EQ(b.position.y, 20.0f);
    EXPECT_FLOAT_EQ(b.position.z, 0.0f);
}

TEST_F(BillboardDraw, OreolRingsTheSphereSilhouetteFacingTheCamera) {
    Billboard b;
    square(b, 4.0f);
    b.oreol = true;
    b.oreolRadius = 100.0f;
    b.anchor = Vector3(0.0f, 0.0f, 0.0f);  // camera 200 away: k = 0.5
    drawn(b);
    EXPECT_NEAR(b.position.z, 50.0f, 1e-4f);
    EXPECT_NEAR(b.position.x, 0.0f, 1e-4f);
    EXPECT_NEAR(dot(b.right, Vector3(0.0f, 0.0f, 1.0f)), 0.0f, 1e-5f);
    EXPECT_NEAR(dot(b.up, Vector3(0.0f, 0.0f, 1.0f)), 0.0f, 1e-5f);
    // Half-height 0.75 * 100 + 0.5 * 4 = 77 units at 150 from the eye, where the view is
    // 150 units high: 77/75 of the view's height, so it covers it top to bottom.
    Lit l = lit();
    EXPECT_EQ(l.height(), kViewHeight);
    EXPECT_NEAR(l.width(), 77.0 / 75.0 * kViewHeight, 2);
}

TEST_F(BillboardDraw, SysTurnsTheQuadRadiallyToItsParent) {
    Anchor parent;
    parent.position = Vector3(0.0f, 0.0f, 50.0f);
    Billboard b;
    square(b);
    b.parent = &parent;
    b.sys = true;
    drawn(b);
    EXPECT_NEAR(b.up.z, 1.0f, 1e-6f);
    EXPECT_NEAR(b.right.x, 1.0f, 1e-6f);
    b.orientOff = true;
    drawn(b);
    EXPECT_NEAR(b.up.y, 1.0f, 1e-6f);
    EXPECT_NEAR(b.right.x, 1.0f, 1e-6f);
}

TEST_F(BillboardDraw, EnvBillboardSitsAtItsDirectionFromTheEyeInItsOwnFrustum) {
    Billboard b;
    square(b, 0.1f);
    b.env = true;
    b.anchor = Vector3(0.0f, 0.0f, -2.0f);
    Lit l = drawn(b);
    EXPECT_FLOAT_EQ(b.position.z, 198.0f);
    // Half-height 0.1 at distance 2 in a frustum of half-height 0.1 at 1: half the view.
    EXPECT_NEAR(l.height(), 60, 2);
}

TEST_F(BillboardDraw, UnplaceableBillboardsDrawNothingAndTouchNoState) {
    Billboard lost;
    square(lost);
    lost.parentNotFound = true;
    Billboard orphanSys;
    square(orphanSys);
    orphanSys.sys = true;
    for (Billboard* b : {&lost, &orphanSys}) {
        beginFrame();
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        GlSnapshot before = GlSnapshot::take();
        b->draw(camera);
        GlSnapshot after = GlSnapshot::take();
        EXPECT_EQ(after.blendDst, before.blendDst);
        EXPECT_EQ(after.modelview, before.modelview);
        gl->swapBuffers();
        EXPECT_EQ(lit().count, 0);
    }
}

// The state each mode leaves: the resting state the next object relies on.
TEST_F(BillboardDraw, LeavesAdditiveBlendLightingDepthWritesAndIdentityTextureMatrix) {
    Anchor parent;
    parent.position = Vector3(0.0f, 10.0f, 0.0f);
    struct Case {
        const char* label;
        void (*set)(Billboard&, SceneObject*);
    };
    const Case cases[] = {
        {"plain", [](Billboard&, SceneObject*) {}},
        {"blend", [](Billboard& b, SceneObject*) { b.blend = true; }},
        {"depth", [](Billboard& b, SceneObject*) { b.depth = true; }},
        {"oreol", [](Billboard& b, SceneObject*) { b.oreol = true; }},
        {"env", [](Billboard& b, SceneObject*) { b.env = true; b.anchor = Vector3(0, 0, -1); }},
        {"parent", [](Billboard& b, SceneObject* p) { b.parent = p; }},
        {"sys", [](Billboard& b, SceneObject* p) { b.parent = p; b.sys = true; }},
        {"orient off", [](Billboard& b, SceneObject*) { b.orientOff = true; }},
        {"tiled blink", [](Billboard& b, SceneObject*) { b.tiling = 3; b.flash = true; b.flashHidden = 9; }},
    };
    for (const Case& c : cases) {
        for (bool depthTestOnEntry : {true, false}) {
            SCOPED_TRACE(std::string(c.label) + (depthTestOnEntry ? " depth test on" : " depth test off"));
            Billboard b;
    square(b);
            c.set(b, &parent);
            beginFrame();
            if (depthTestOnEntry)
                glEnable(GL_DEPTH_TEST);
            else
                glDisable(GL_DEPTH_TEST);
            glDisable(GL_LIGHTING);
            glDepthMask(GL_FALSE);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            glAlphaFunc(GL_GREATER, 0.5f);
            GlSnapshot before = GlSnapshot::take();
            b.draw(camera);
            GlSnapshot after = GlSnapshot::take();
            EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
            EXPECT_EQ(after.blendSrc, GL_SRC_ALPHA);
            EXPECT_EQ(after.blendDst, GL_ONE);
            EXPECT_TRUE(after.lighting);
            EXPECT_EQ(after.depthMask, GL_TRUE);
            bool reenablesDepth = b.oreol || b.depth;
            EXPECT_EQ(after.depthTest, depthTestOnEntry || reenablesDepth);
            EXPECT_EQ(after.alphaFunc, b.blend ? GL_ALWAYS : GL_GREATER);
            testing::expectSpriteRestingState(before, after);
        }
    }
}

TEST_F(BillboardDraw, BindsItsTextureAndLeavesItBound) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    Billboard b;
    square(b);
    b.hasTexture = true;
    b.textureId = texture;
    beginFrame();
    b.draw(camera);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(static_cast<GLuint>(bound), texture);
}

}  // namespace
}  // namespace tarnel
