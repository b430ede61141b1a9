#include "gfx/clock.h"

#include "gfx/overlay.h"
#include "overlay_fixture.h"

namespace tarnel::gfx::testing {
namespace {

platform::LocalTime timeOf(int hour, int minute, int second) { return platform::LocalTime{hour, minute, second}; }

TEST(ClockText, TwelveHourClockMarksMorningAndAfternoon) {
    EXPECT_EQ(clockText(timeOf(0, 5, 9), true), "12:05:09;");
    EXPECT_EQ(clockText(timeOf(9, 59, 59), true), "09:59:59;");
    EXPECT_EQ(clockText(timeOf(11, 10, 10), true), "11:10:10;");
    EXPECT_EQ(clockText(timeOf(12, 0, 0), true), "12:00:00<");
    EXPECT_EQ(clockText(timeOf(13, 30, 0), true), "01:30:00<");
    EXPECT_EQ(clockText(timeOf(23, 59, 59), true), "11:59:59<");
}

TEST(ClockText, TwentyFourHourClockHasNoMark) {
    EXPECT_EQ(clockText(timeOf(13, 30, 0), false), "13:30:00");
    EXPECT_EQ(clockText(timeOf(0, 5, 9), false), "00:05:09");
    EXPECT_EQ(clockText(timeOf(12, 0, 0), false), "12:00:00");
    EXPECT_EQ(clockText(timeOf(23, 10, 0), false), "23:10:00");
}

using ClockGl = OverlayGl;

TEST_F(ClockGl, DigitsLandAtTheBottomRightOfTheOverlay) {
    buildColouredFont();
    drawClock(true, timeOf(0, 5, 9));
    grab();
    EXPECT_EQ(clockX(), 525.0f);
    EXPECT_EQ(readLine(clockX(), kClockY, 10), "12:05:09; ");
    EXPECT_EQ(glyphAt(clockX() - 4, 22), ' ');
    EXPECT_EQ(glyphAt(clockX() + 20, 46), ' ');
}

TEST_F(ClockGl, DrawsInItsOwnOverlayWhateverTheSceneLeftInTheMatrices) {
    buildColouredFont();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(0.3f, 0.2f, -0.5f);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    GlSnapshot before = GlSnapshot::take();
    drawClock(false, timeOf(13, 30, 0));
    GlSnapshot after = GlSnapshot::take();
    grab();
    EXPECT_EQ(readLine(clockX(), kClockY, 9), "13:30:00 ");
    EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
    EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
    EXPECT_EQ(after.projectionDepth, before.projectionDepth);
    EXPECT_EQ(after.modelview, before.modelview);
    EXPECT_EQ(after.projection, before.projection);
}

TEST_F(ClockGl, LeavesAdditiveAlphaTestedTexturingWithDepthAndLightingOn) {
    buildColouredFont();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_ALPHA_TEST);
    drawClock(true, timeOf(18, 0, 0));
    GlSnapshot s = GlSnapshot::take();
    for (GLenum on : {GL_TEXTURE_2D, GL_BLEND, GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING})
        EXPECT_TRUE(glIsEnabled(on)) << on;
    EXPECT_EQ(s.alphaFunc, GL_GREATER);
    EXPECT_EQ(s.alphaRef, 0.0f);
    EXPECT_EQ(s.blendSrc, GL_SRC_ALPHA);
    EXPECT_EQ(s.blendDst, GL_ONE);
    EXPECT_EQ(static_cast<GLuint>(s.boundTexture), digitFont().texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace tarnel::gfx::testing
