// The platform interface: windows, the GL context, input, displays and modes, cursor, gamma,
// music. It names no OS type, so everything above platform/ compiles against it alone.
// Backends: sdl/ (desktop, X11 foreign windows), win32/ (Windows) and headless/ (offscreen,
// no input).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace tarnel::platform {

// Left, top, right, bottom in virtual-screen pixels; right and bottom are exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

struct DisplayMode {
    int width = 0;          // pixels
    int height = 0;         // pixels
    int bitsPerPixel = 0;
    int refreshRate = 0;    // Hz, 0 when unknown
};

// One display as the desktop sees it. Display 0 is the primary one.
struct DisplayDevice {
    std::string adapterName;
    std::string monitorName;
    bool attachedToDesktop = false;
    bool primary = false;
    Rect rect;
};

enum class EventType { KeyDown, KeyUp, MouseMove, ButtonDown, Quit };
enum class MouseButton { Left, Right, Middle, Other };

struct InputEvent {
    EventType type = EventType::Quit;
    int keyCode = 0;          // 1..511 for keys; 0 when unknown
    bool systemKey = false;   // Alt held, Alt itself or F10: the system keeps such keys
    int x = 0;                // mouse position in screen pixels
    int y = 0;
    MouseButton button = MouseButton::Other;
};

// Red, green, blue: 256 unsigned 16-bit entries each.
using GammaRamp = std::array<std::uint16_t, 3 * 256>;

using WindowHandle = int;     // 0: no window
constexpr WindowHandle kNoWindow = 0;

class Platform {
public:
    virtual ~Platform() = default;

    // Displays and modes.
    virtual std::vector<DisplayDevice> displayDevices() = 0;
    virtual std::vector<DisplayMode> primaryDisplayModes() = 0;
    virtual std::optional<DisplayMode> desktopMode() = 0;

    // Full-screen mode of the primary display: takes effect when the main window opens and
    // lasts until leaveFullScreenMode, which brings back the desktop mode.
    virtual void enterFullScreenMode(const DisplayMode& mode) = 0;
    virtual void leaveFullScreenMode() = 0;

    // Windows. The main window owns the GL context, current from its creation on.
    virtual WindowHandle openMainWindow(const Rect& rect) = 0;
    // Draws inside an existing window of another program (a screensaver host's window).
    virtual WindowHandle openForeignWindow(std::uint64_t nativeId) = 0;
    // Whether nativeId names a window that openForeignWindow could draw in; a backend that
    // cannot tell says yes.
    virtual bool foreignWindowExists(std::uint64_t nativeId) {
        (void)nativeId;
        return true;
    }
    // The X root window's id, when there is one.
    virtual std::optional<std::uint64_t> rootWindowId() = 0;
    virtual WindowHandle openBlackWindow(const Rect& rect) = 0;
    virtual void showWindows() = 0;
    virtual void closeWindows() = 0;
    // The main window's drawable size in pixels and its position in screen pixels.
    virtual Rect mainWindowRect() = 0;
    virtual bool swapIntervalSettable() = 0;
    virtual bool setSwapInterval(int interval) = 0;
    virtual void swapBuffers() = 0;
    virtual void destroyGlContext() = 0;
    // One loading tick: draws the next loading-screen frame the way this window system
    // delivers it. On Windows it is the main window's private message WM_USER + 2, sent
    // synchronously; elsewhere the frame is drawn at once.
    virtual void deliverLoadingTick(const std::function<void()>& drawFrame) { drawFrame(); }
    // The main display's refresh rate in Hz (60 when unknown).
    virtual int refreshRate() = 0;

    // Input: returns false when no event is waiting; never blocks.
    virtual bool pollEvent(InputEvent& event) = 0;
    // The main window or the connection to the display is gone (a host destroyed its
    // window): the run ends through its end steps, and pollEvent reports a quit request.
    virtual bool displayLost() { return false; }

    // Cursor.
    virtual void showCursor(bool visible) = 0;
    virtual void warpCursor(int screenX, int screenY) = 0;

    // Gamma of the main window's display.
    virtual bool gammaRamp(GammaRamp& ramp) = 0;
    virtual bool setGammaRamp(const GammaRamp& ramp) = 0;

    // Music: the audio device, volume in percent, one looping track from memory. The bytes
    // must stay alive until closeAudio.
    virtual bool openAudio(int frequencyHz) = 0;
    virtual void setMusicVolume(int percent) = 0;
    virtual bool playMusicLooped(const std::vector<std::uint8_t>& bytes) = 0;
    virtual void stopMusic() = 0;
    virtual void closeAudio() = 0;
};

// The desktop backend of this build (SDL2 on Linux, Win32 on Windows); null with a reason
// when the window system cannot start.
std::unique_ptr<Platform> createDesktopPlatform(std::string* error = nullptr);
// The offscreen backend: one width x height display, no input, no audio.
std::unique_ptr<Platform> createHeadlessPlatform(int width, int height, std::string* error = nullptr);

}  // namespace tarnel::platform
