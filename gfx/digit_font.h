// The overlay's digit font: 13 glyphs (the digits, the clock's colon and the 12-hour clock's
// morning and afternoon marks) cut from a 4 x 4 grid texture, one display list per glyph.
// Needs a current OpenGL context.
#pragma once

#include <GL/gl.h>

#include "assets/texture_table.h"

namespace tarnel::gfx {

constexpr char kDigitTexturePath[] = "textures\\c.jpg";
constexpr char kFirstGlyph = '0';   // cell 0; cell i shows character '0' + i
constexpr int kGlyphCount = 13;     // '0'..'9', ':', ';' (morning), '<' (afternoon)
constexpr float kGlyphSize = 40.0f;  // overlay units, square
// The pen advances by 40 x 0.7 with 0.7 as a float: just under 28, so neighbours overlap.
constexpr double kGlyphAdvance = 40.0 * static_cast<double>(0.7f);

class DigitFont {
public:
    GLuint texture = 0;   // the grid texture; 0 draws untextured glyphs
    GLuint listBase = 0;  // first of the 13 glyph lists; 0 until the font is built
};

// The process-wide font, built once per saver run.
DigitFont& digitFont();

// Takes the texture of "textures\c.jpg" from table (none when it is missing) and compiles
// the glyph lists. Building again replaces the lists of the previous build.
void buildDigitFont(const TextureTable& table = textureTable());

// Moves the current origin by (x, y) and draws text from there, leaving the origin after
// the last glyph. Characters the font does not hold are skipped; before the font is built
// nothing is drawn. The caller binds the texture and saves the matrix if it needs to.
void drawDigits(float x, float y, const char* text);

// The pen both counters write with: texturing and blending on, additive blending of source
// alpha, the font's texture bound, white.
void useDigitPen();

}  // namespace tarnel::gfx
