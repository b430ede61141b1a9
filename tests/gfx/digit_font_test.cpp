#include "gfx/digit_font.h"

#include "gfx/clock.h"
#include "gfx/fps_counter.h"
#include "gfx/overlay.h"
#include "overlay_fixture.h"

#include <algorithm>
#include <string>
#include <utility>

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

// The columns and rows that lit pixels span.
struct LitBox {
    int left = 1 << 30, right = -1, bottom = 1 << 30, top = -1;
};

TEST_F(DigitFontGl, ClockAndCounterKeepTheirShapeAndCornersOnEveryWindowShape) {
    // 4:3, 5:4, 16:10, 16:9, 21:9.
    for (auto [width, height] : {std::pair{1024, 768}, std::pair{1280, 1024}, std::pair{1680, 1050},
                                 std::pair{1920, 1080}, std::pair{2560, 1080}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        openWindow(width, height);
        buildColouredFont();
        beginOverlay();
        drawFps(1907u);
        endOverlay();
        drawClock(false, platform::LocalTime{13, 30, 0});
        grab();
        auto boxOf = [&](int fromRow, int toRow) {
            LitBox box;
            for (int y = fromRow; y < toRow; ++y)
                for (int x = 0; x < width; ++x)
                    if (pixels[(static_cast<std::size_t>(y) * width + x) * 4] > 0) {
                        box.left = std::min(box.left, x), box.right = std::max(box.right, x);
                        box.bottom = std::min(box.bottom, y), box.top = std::max(box.top, y);
                    }
            return box;
        };
        const double unit = height / 600.0;  // pixels per overlay unit, the same across and up
        const double textUnits = 7 * kGlyphAdvance + kGlyphSize;  // "13:30:00"
        LitBox clock = boxOf(0, height / 2), counter = boxOf(height / 2, height);
        EXPECT_NEAR(clock.right + 1, width - (kClockRightMargin - textUnits) * unit, 1.5);
        EXPECT_NEAR(clock.bottom, kClockY * unit, 1.5);
        EXPECT_NEAR(clock.right + 1 - clock.left, textUnits * unit, 2.0);
        EXPECT_NEAR(clock.top + 1 - clock.bottom, kGlyphSize * unit, 1.5);
        EXPECT_NEAR(counter.left, kFpsX * unit, 1.5);
        EXPECT_NEAR(counter.top + 1, (kFpsY + kGlyphSize) * unit, 1.5);
        EXPECT_NEAR(counter.top + 1 - counter.bottom, kGlyphSize * unit, 1.5);
    }
}

}  // namespace
}  // namespace tarnel::gfx::testing
