// The SDL backend's X11 side of the saver windows.
#include "platform/sdl/x11_saver_windows.h"

#include "platform/x11/input_grab.h"
#include "platform/x11/x_errors.h"

#include <SDL2/SDL_syswm.h>

#include <cstring>

namespace tarnel::platform {

namespace {

// A grab that another client holds (an open menu) is asked for again this often.
constexpr auto kGrabRetry = std::chrono::milliseconds(100);

struct NativeWindow {
    Display* display = nullptr;  // SDL's connection
    Window window = 0;
};

NativeWindow nativeWindow(SDL_Window* window) {
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return NativeWindow{};
    return NativeWindow{info.info.x11.display, info.info.x11.window};
}

}  // namespace

X11SaverWindows::X11SaverWindows() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return;
    installXErrorHandlers();
    screen_ = X11Screen::open();
}

void X11SaverWindows::adopt(SDL_Window* window, Role role) {
    NativeWindow native = nativeWindow(window);
    if (!native.display) return;
    if (native.display != sdlDisplay_) {
        sdlDisplay_ = native.display;
        surviveConnectionLoss(native.display);
    }
    if (role == Role::Main || role == Role::Host) {
        // Another program may destroy this window at any moment (a screensaver host ending its
        // hack): that ends the run through its end steps.
        watchWindowErrors(native.window);
        if (screen_) screen_->watchDestruction(native.window);
    }
    if (role == Role::Host) return;
    hideFocusChanges(native.display, native.window);
    if (screen_) screen_->keepOnTop(native.window);
}

void X11SaverWindows::mainShown(SDL_Window* window) {
    grabber_ = window;
    inputTaken_ = false;
    nextInputTry_ = {};
    if (screen_) screen_->watchFocus(nativeWindow(window).window);
    takeInput();
}

void X11SaverWindows::poll() {
    if (screen_) screen_->processEvents();
    takeInput();
}

void X11SaverWindows::windowsClosing() {
    if (screen_) screen_->forgetWindows();
    watchWindowErrors(0);
    grabber_ = nullptr;
}

// Requests on a window that another program destroyed fail; their errors must reach the
// handler now, since SDL puts Xlib's fatal one back before it closes its connection.
void X11SaverWindows::windowsClosed() {
    if (sdlDisplay_ && !connectionLost()) XSync(sdlDisplay_, False);
}

bool X11SaverWindows::lost() const { return xWindowLost() || connectionLost(); }

bool X11SaverWindows::connectionLost() const { return xConnectionLost(sdlDisplay_); }

Rect X11SaverWindows::windowArea(SDL_Window* window) {
    NativeWindow native = nativeWindow(window);
    return screen_ && native.window ? screen_->windowArea(native.window) : Rect{};
}

void X11SaverWindows::takeInput() {
    if (screen_ && screen_->takeFocusLoss()) {
        inputTaken_ = false;
        nextInputTry_ = {};
    }
    if (inputTaken_ || !grabber_ || lost()) return;
    auto now = std::chrono::steady_clock::now();
    if (now < nextInputTry_) return;
    nextInputTry_ = now + kGrabRetry;
    NativeWindow native = nativeWindow(grabber_);
    if (native.display) inputTaken_ = grabInput(native.display, native.window);
}

}  // namespace tarnel::platform
