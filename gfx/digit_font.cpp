// Glyph lists of the digit font. Cells are read row by row from the top-left of the grid, so
// row 0 lies at the top of the texture (t near 1).
#include "gfx/digit_font.h"

#include "gfx/overlay.h"

namespace tarnel::gfx {

namespace {

void compileGlyph(GLuint list, int cell) {
    float column = static_cast<float>(cell % 4);
    float row = static_cast<float>(cell / 4);
    float s0 = column / 4.0f;
    float t1 = 1.0f - row / 4.0f;
    glNewList(list, GL_COMPILE);
    drawTexturedQuad(0.0f, 0.0f, kGlyphSize, kGlyphSize, s0, t1 - 0.25f, s0 + 0.25f, t1);
    glTranslated(kGlyphAdvance, 0.0, 0.0);
    glEndList();
}

}  // namespace

DigitFont& digitFont() {
    static DigitFont font;
    return font;
}

void buildDigitFont(const TextureTable& table) {
    DigitFont& font = digitFont();
    if (font.listBase != 0) glDeleteLists(font.listBase, kGlyphCount);
    const TextureEntry* entry = findTexture(table, kDigitTexturePath);
    font.texture = entry ? entry->glTexture : 0;
    glBindTexture(GL_TEXTURE_2D, font.texture);
    font.listBase = glGenLists(kGlyphCount);
    if (font.listBase == 0) return;
    for (int cell = 0; cell < kGlyphCount; ++cell) compileGlyph(font.listBase + cell, cell);
}

void drawDigits(float x, float y, const char* text) {
    glTranslatef(x, y, 0.0f);
    GLuint base = digitFont().listBase;
    if (base == 0) return;
    for (const char* c = text; *c != '\0'; ++c) {
        int cell = *c - kFirstGlyph;
        if (cell >= 0 && cell < kGlyphCount) glCallList(base + static_cast<GLuint>(cell));
    }
}

void useDigitPen() {
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, digitFont().texture);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
}

}  // namespace tarnel::gfx
