#include "gfx/digit_font.h"

#include "gfx/clock.h"
#include "gfx/fps_counter.h"
#include "gfx/overlay.h"
#include "overlay_fixture.h"

namespace tarnel::gfx::testing {
namespace {

using DigitFontGl = OverlayGl;

TEST_F(DigitFontGl, EveryCharacterShowsItsOwnCellOfTheGrid) {
    buildColouredFont();
    const char all[] = "0123456789:;<";
    beginOverlay();
    useDigitPen();
    drawDigits(10.0f, 300.0f, all);
    endOverlay();
    grab();
    EXPECT_EQ(readLine(10.0, 300.0, kGlyphCount), all);
}

TEST_F(DigitFontGl, GlyphsAreFortyUnitsSquareAndAdvanceJustUnderTwentyEight) {
    EXPECT_LT(kGlyphAdvance, 28.0);
    EXPECT_GT(kGlyphAdvance, 27.9999);
    buildColouredFont();
    beginOverlay();
    useDigitPen();
    drawDigits(100.0f, 100.0f, "8");
    GLfloat origin[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, origin);
    endOverlay();
    grab();
    EXPECT_NEAR(origin[12], 100.0 + kGlyphAdvance, 1e-4);
    EXPECT_EQ(origin[13], 100.0f);
    EXPECT_EQ(glyphAt(104, 104), '8');
    EXPECT_EQ(glyphAt(136, 136), '8');
    EXPECT_EQ(glyphAt(144, 120), ' ');
    EXPECT_EQ(glyphAt(120, 144), ' ');
    EXPECT_EQ(glyphAt(96, 120), ' ');
}

TEST_F(DigitFontGl, CharactersOutsideTheFontAreSkipped) {
    buildColouredFont();
    beginOverlay();
    useDigitPen();
    drawDigits(10.0f, 10.0f, "1-a/=2\x7f\xff");
    endOverlay();
    grab();
    EXPECT_EQ(readLine(10.0, 10.0, 3), "12 ");
}

TEST_F(DigitFontGl, WithoutTheGridTextureGlyphsAreUntexturedQuads) {
    buildDigitFont(table);  // empty table: no "textures\c.jpg"
    EXPECT_EQ(digitFont().texture, 0u);
    beginOverlay();
    useDigitPen();
    drawDigits(10.0f, 10.0f, "7");
    endOverlay();
    grab();
    EXPECT_EQ(at(30, 30), (Rgb{255, 255, 255}));
}

TEST_F(DigitFontGl, RebuildingReplacesTheGlyphListsInsteadOfLeakingThem) {
    buildColouredFont();
    GLuint first = digitFont().listBase;
    buildDigitFont(table);
    EXPECT_NE(digitFont().listBase, 0u);
    EXPECT_FALSE(glIsList(first) && first != digitFont().listBase);
}

TEST_F(DigitFontGl, FpsCounterSitsAtTheTopLeftAndLeavesAdditiveTexturing) {
    buildColouredFont();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    beginOverlay();
    glTranslatef(300.0f, -200.0f, 0.0f);  // drawn from the identity whatever came before
    drawFps(1907u);
    GlSnapshot s = GlSnapshot::take();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(s.blendSrc, GL_SRC_ALPHA);
    EXPECT_EQ(s.blendDst, GL_ONE);
    EXPECT_EQ(static_cast<GLuint>(s.boundTexture), digitFont().texture);
    endOverlay();
    grab();
    EXPECT_EQ(readLine(kFpsX, kFpsY, 5), "1907 ");

    glClear(GL_COLOR_BUFFER_BIT);  // before the first period ends the counter reads 0
    beginOverlay();
    drawFps(0u);
    endOverlay();
    grab();
    EXPECT_EQ(readLine(kFpsX, kFpsY, 2), "0 ");
}

TEST_F(DigitFontGl, ClockGlyphsStretchWithTheWindowNotLetterboxed) {
    openWindow(1280, 1024);
    buildColouredFont();
    beginOverlay();
    useDigitPen();
    drawDigits(0.0f, 0.0f, "0");
    endOverlay();
    grab();
    auto lit = [&](int x, int y) { return pixels[(static_cast<std::size_t>(y) * 1280 + x) * 4 + 1] > 0; };
    int width = 0, height = 0;
    while (width < 1280 && lit(width, 10)) ++width;
    while (height < 1024 && lit(10, height)) ++height;
    EXPECT_EQ(width, 64);
    EXPECT_NEAR(height, 68, 1);
}

}  // namespace
}  // namespace tarnel::gfx::testing
