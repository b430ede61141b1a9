// An OpenGL context with no window: a fixed-size offscreen framebuffer on Mesa's surfaceless
// EGL platform. Used by the tests, by --headless runs and by the build-time picture renders.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnel::platform {

class OffscreenGl {
public:
    // A desktop OpenGL (compatibility) context current on this thread, drawing into a
    // width x height RGBA8 colour buffer with 24-bit depth and 8-bit stencil.
    // Returns null and fills error when no context can be made.
    static std::unique_ptr<OffscreenGl> create(int width, int height, std::string* error = nullptr);
    ~OffscreenGl();
    OffscreenGl(const OffscreenGl&) = delete;
    OffscreenGl& operator=(const OffscreenGl&) = delete;

    int width() const { return width_; }
    int height() const { return height_; }
    void makeCurrent();
    // Finishes drawing: the offscreen counterpart of a buffer swap.
    void swapBuffers();
    // The colour buffer as RGBA bytes, bottom row first (as glReadPixels gives it).
    std::vector<std::uint8_t> readPixels() const;

private:
    struct Native;
    OffscreenGl(int width, int height, std::unique_ptr<Native> native);
    int width_;
    int height_;
    std::unique_ptr<Native> native_;
};

}  // namespace tarnel::platform
