// The parts of the offscreen context that are plain OpenGL, the same on every system.
#include "platform/offscreen_gl.h"

#include <GL/gl.h>

namespace tarnel::platform {

void OffscreenGl::swapBuffers() { glFinish(); }

std::vector<std::uint8_t> OffscreenGl::readPixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width_) * height_ * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width_, height_, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

}  // namespace tarnel::platform
