// The offscreen backend: one fixed-size display drawn by an OffscreenGl context, no real
// input and no audio. Tests queue input events and read back the cursor, gamma and mode
// calls that a run made.
#pragma once

#include "platform/offscreen_gl.h"
#include "platform/platform.h"

#include <deque>

namespace tarnel::platform {

class HeadlessPlatform : public Platform {
public:
    HeadlessPlatform(int width, int height) : width_(width), height_(height) {}

    std::vector<DisplayDevice> displayDevices() override;
    std::vector<DisplayMode> primaryDisplayModes() override;
    std::optional<DisplayMode> desktopMode() override;
    void enterFullScreenMode(const DisplayMode& mode) override;
    void leaveFullScreenMode() override;
    WindowHandle openMainWindow(const Rect& rect) override;
    WindowHandle openForeignWindow(std::uint64_t nativeId) override;
    std::optional<std::uint64_t> rootWindowId() override { return std::nullopt; }
    WindowHandle openBlackWindow(const Rect& rect) override;
    void showWindows() override {}
    void closeWindows() override;
    Rect mainWindowRect() override;
    bool swapIntervalSettable() override { return false; }
    bool setSwapInterval(int) override { return false; }
    void swapBuffers() override;
    void destroyGlContext() override { gl_.reset(); }
    int refreshRate() override { return 60; }
    bool pollEvent(InputEvent& event) override;
    void showCursor(bool visible) override { cursorVisible = visible; }
    void warpCursor(int screenX, int screenY) override;
    bool gammaRamp(GammaRamp& ramp) override;
    bool setGammaRamp(const GammaRamp& ramp) override;
    bool openAudio(int) override { ++audioCalls; return false; }
    void setMusicVolume(int) override { ++audioCalls; }
    bool playMusicLooped(const std::vector<std::uint8_t>&) override { ++audioCalls; return false; }
    void stopMusic() override { ++audioCalls; }
    void closeAudio() override { ++audioCalls; }

    // What a run did, for tests and diagnostics.
    void queueEvent(const InputEvent& event) { events_.push_back(event); }
    bool cursorVisible = true;
    int cursorX = 0;
    int cursorY = 0;
    int warpCount = 0;
    bool fullScreen = false;
    int swapCount = 0;
    int audioCalls = 0;
    int blackWindows = 0;
    GammaRamp gamma{};           // the ramp in force; identity at start
    bool gammaReadable = true;

private:
    int width_;
    int height_;
    std::unique_ptr<OffscreenGl> gl_;
    std::deque<InputEvent> events_;
};

}  // namespace tarnel::platform
