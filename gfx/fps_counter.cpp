// The counter in decimal digits; the identity is loaded first so it lands at its place
// whatever the caller left in the modelview matrix.
#include "gfx/fps_counter.h"

#include <GL/gl.h>

#include <cstdio>

#include "gfx/digit_font.h"

namespace tarnel::gfx {

void drawFps(std::uint32_t value) {
    glLoadIdentity();
    useDigitPen();
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(value));
    drawDigits(kFpsX, kFpsY, text);
}

}  // namespace tarnel::gfx
