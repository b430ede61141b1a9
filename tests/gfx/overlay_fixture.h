// A 400 x 300 offscreen window in the GL start state, with pixel probes in overlay units and
// a digit font whose 13 cells each have a colour of their own, so the glyph drawn at a spot
// can be read back from the picture.
#pragma once

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <GL/gl.h>
#include <gtest/gtest.h>

#include "assets/texture_table.h"
#include "assets/texture_upload.h"
#include "gfx/digit_font.h"
#include "gfx/gl_state.h"
#include "gfx/overlay.h"
#include "platform/headless_platform.h"
#include "platform/offscreen_gl.h"
#include "tests/support/gl_snapshot.h"

namespace tarnel::gfx::testing {

using Rgb = std::array<int, 3>;

inline Rgb cellColour(int cell) { return {16 + 18 * cell, 240 - 18 * cell, 40 + (cell % 3) * 90}; }

// A 64 x 64 grid texture of 16-pixel cells; cell i (row by row from the top-left) is filled
// with cellColour(i), the three unused cells are transparent.
inline GLuint makeDigitTexture() {
    constexpr int kSide = 64, kCell = 16;
    std::vector<std::uint8_t> pixels(kSide * kSide * 4);
    for (int y = 0; y < kSide; ++y)  // bottom row first
        for (int x = 0; x < kSide; ++x) {
            int cell = (3 - y / kCell) * 4 + x / kCell;
            std::uint8_t* p = &pixels[(y * kSide + x) * 4];
            if (cell >= kGlyphCount) continue;
            Rgb c = cellColour(cell);
            p[0] = std::uint8_t(c[0]), p[1] = std::uint8_t(c[1]), p[2] = std::uint8_t(c[2]), p[3] = 255;
        }
    return uploadTexture(kSide, kSide, GL_RGBA, pixels.data());
}

class OverlayGl : public ::testing::Test {
protected:
    static constexpr int kWidth = 400;
    static constexpr int kHeight = 300;

    void SetUp() override { openWindow(kWidth, kHeight); }

    void openWindow(int width, int height) {
        gl.reset();
        std::string error;
        gl = platform::OffscreenGl::create(width, height, &error);
        ASSERT_TRUE(gl) << error;
        platform = std::make_unique<platform::HeadlessPlatform>(width, height);
        GlStartSettings start;
        start.width = width;
        start.height = height;
        setupGlState(*platform, start);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    // Registers the coloured grid as "textures\c.jpg" and builds the font from it.
    void buildColouredFont() {
        table.entries.clear();  // a texture of an earlier window's context means nothing here
        auto entry = std::make_unique<TextureEntry>();
        entry->glTexture = makeDigitTexture();
        std::snprintf(entry->path, sizeof entry->path, "%s", kDigitTexturePath);
        table.entries.push_back(std::move(entry));
        buildDigitFont(table);
    }

    void grab() {
        glFinish();
        pixels = gl->readPixels();
    }

    // The pixel under overlay point (x, y) of the last grab.
    Rgb at(double x, double y) const {
        int px = static_cast<int>(x * gl->width() / overlayWidth());
        int py = static_cast<int>(y * gl->height() / 600.0);
        const std::uint8_t* p = &pixels[(static_cast<std::size_t>(py) * gl->width() + px) * 4];
        return {p[0], p[1], p[2]};
    }

    // The character whose glyph colour the pixel under (x, y) shows: '?' for none, ' ' for
    // black.
    char glyphAt(double x, double y) const {
        Rgb c = at(x, y);
        if (c[0] + c[1] + c[2] < 10) return ' ';
        for (int cell = 0; cell < kGlyphCount; ++cell) {
            Rgb want = cellColour(cell);
            if (std::abs(c[0] - want[0]) <= 4 && std::abs(c[1] - want[1]) <= 4 && std::abs(c[2] - want[2]) <= 4)
                return static_cast<char>(kFirstGlyph + cell);
        }
        return '?';
    }

    // Reads count glyph centres of a line of text drawn with its origin at (x, y).
    std::string readLine(double x, double y, int count) const {
        std::string text;
        for (int i = 0; i < count; ++i) text += glyphAt(x + i * kGlyphAdvance + 20.0, y + 20.0);
        return text;
    }

    std::unique_ptr<platform::OffscreenGl> gl;
    std::unique_ptr<platform::HeadlessPlatform> platform;
    TextureTable table;
    std::vector<std::uint8_t> pixels;
};

using tarnel::testing::GlSnapshot;

}  // namespace tarnel::gfx::testing
