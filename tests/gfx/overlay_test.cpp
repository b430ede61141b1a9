#include "gfx/overlay.h"

#include "overlay_fixture.h"

namespace tarnel::gfx::testing {
namespace {

using OverlaySpace = OverlayGl;

void fillQuad(float left, float bottom, float right, float top) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    drawTexturedQuad(left, bottom, right, top, 0, 0, 1, 1);
}

TEST_F(OverlaySpace, GlStartStateRecordsTheWindowSizeForBothSpaces) {
    openWindow(320, 200);
    EXPECT_EQ(screenSize().width, 320);
    EXPECT_EQ(screenSize().height, 200);
}

TEST_F(OverlaySpace, CoversAFourByThreeWindowWithEightHundredBySixHundred) {
    glViewport(0, 0, 10, 10);  // whatever the 3D view left, the overlay covers the window
    beginOverlay();
    fillQuad(400.0f, 300.0f, 800.0f, 600.0f);  // the upper-right quarter
    endOverlay();
    grab();
    EXPECT_EQ(at(600, 450), (Rgb{255, 255, 255}));
    EXPECT_EQ(at(799, 599), (Rgb{255, 255, 255}));
    EXPECT_EQ(at(390, 450), (Rgb{0, 0, 0}));
    EXPECT_EQ(at(600, 290), (Rgb{0, 0, 0}));
}

TEST_F(OverlaySpace, PixelSpaceHasOneUnitPerPixel) {
    beginPixelOverlay();
    fillQuad(10.0f, 20.0f, 11.0f, 21.0f);
    endPixelOverlay();
    grab();
    auto pixel = [&](int x, int y) { return pixels[(static_cast<std::size_t>(y) * kWidth + x) * 4]; };
    EXPECT_EQ(pixel(10, 20), 255);
    EXPECT_EQ(pixel(11, 20), 0);
    EXPECT_EQ(pixel(10, 21), 0);
    EXPECT_EQ(pixel(9, 20), 0);
}

TEST_F(OverlaySpace, InsideDepthAndLightingAreOffAndBothMatricesArePushed) {
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(5.0f, 6.0f, 7.0f);
    GlSnapshot before = GlSnapshot::take();
    for (bool pixelSpace : {false, true}) {
        pixelSpace ? beginPixelOverlay() : beginOverlay();
        GlSnapshot inside = GlSnapshot::take();
        EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
        EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
        EXPECT_EQ(inside.matrixMode, GL_MODELVIEW);
        EXPECT_EQ(inside.modelviewDepth, before.modelviewDepth + 1);
        EXPECT_EQ(inside.projectionDepth, before.projectionDepth + 1);
        EXPECT_EQ(inside.modelview[12], 0.0f);
        float right = pixelSpace ? kWidth : 800.0f;
        EXPECT_FLOAT_EQ(inside.projection[0], 2.0f / right);
        EXPECT_FLOAT_EQ(inside.projection[10], -1.0f);
        pixelSpace ? endPixelOverlay() : endOverlay();
        GlSnapshot after = GlSnapshot::take();
        EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
        EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
        EXPECT_EQ(after.projectionDepth, before.projectionDepth);
        EXPECT_EQ(after.modelview, before.modelview);
        EXPECT_EQ(after.projection, before.projection);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(OverlaySpace, LeavingTurnsDepthAndLightingOnEvenWhenTheyWereOff) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    beginOverlay();
    endOverlay();
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
}

}  // namespace
}  // namespace tarnel::gfx::testing
