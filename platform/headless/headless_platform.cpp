// The offscreen backend: the main window is an OffscreenGl framebuffer of the fixed size.
#include "platform/headless_platform.h"

#include <GL/gl.h>

namespace tarnel::platform {

namespace {
GammaRamp identityRamp() {
    GammaRamp ramp{};
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 256; ++k) ramp[c * 256 + k] = static_cast<std::uint16_t>(k * 256);
    return ramp;
}
}  // namespace

std::vector<DisplayDevice> HeadlessPlatform::displayDevices() {
    DisplayDevice device;
    device.adapterName = "offscreen";
    device.monitorName = "offscreen framebuffer";
    device.attachedToDesktop = true;
    device.primary = true;
    device.rect = Rect{0, 0, width_, height_};
    return {device};
}

std::vector<DisplayMode> HeadlessPlatform::primaryDisplayModes() { return {DisplayMode{width_, height_, 32, 60}}; }

std::optional<DisplayMode> HeadlessPlatform::desktopMode() { return DisplayMode{width_, height_, 32, 60}; }

void HeadlessPlatform::enterFullScreenMode(const DisplayMode&) { fullScreen = true; }

void HeadlessPlatform::leaveFullScreenMode() { fullScreen = false; }

WindowHandle HeadlessPlatform::openMainWindow(const Rect&) {
    if (gl_) return kNoWindow;
    if (gamma == GammaRamp{}) gamma = identityRamp();
    gl_ = OffscreenGl::create(width_, height_);
    return gl_ ? 1 : kNoWindow;
}

// Offscreen there is no other program's window: the framebuffer stands in for it.
WindowHandle HeadlessPlatform::openForeignWindow(std::uint64_t) { return openMainWindow(Rect{0, 0, width_, height_}); }

WindowHandle HeadlessPlatform::openBlackWindow(const Rect&) { return ++blackWindows + 1; }

void HeadlessPlatform::closeWindows() {
    gl_.reset();
    blackWindows = 0;
}

Rect HeadlessPlatform::mainWindowRect() { return gl_ ? Rect{0, 0, width_, height_} : Rect{}; }

void HeadlessPlatform::swapBuffers() {
    if (!gl_) return;
    gl_->swapBuffers();
    ++swapCount;
}

bool HeadlessPlatform::pollEvent(InputEvent& event) {
    if (events_.empty()) return false;
    event = events_.front();
    events_.pop_front();
    return true;
}

void HeadlessPlatform::warpCursor(int screenX, int screenY) {
    cursorX = screenX;
    cursorY = screenY;
    ++warpCount;
}

bool HeadlessPlatform::gammaRamp(GammaRamp& ramp) {
    if (!gammaReadable) return false;
    ramp = gamma;
    return true;
}

bool HeadlessPlatform::setGammaRamp(const GammaRamp& ramp) {
    gamma = ramp;
    return true;
}

std::unique_ptr<Platform> createHeadlessPlatform(int width, int height, std::string* error) {
    if (width <= 0 || height <= 0) {
        if (error) *error = "offscreen size must be positive";
        return nullptr;
    }
    return std::make_unique<HeadlessPlatform>(width, height);
}

}  // namespace tarnel::platform
