// The desktop backend on SDL2: one GL window on the primary monitor, black windows over the
// others, the full-screen mode switch, input, cursor, gamma, and music through SDL2_mixer.
// Under X11 (x11_saver_windows) the monitors come from XRandR, the mode comes back whatever
// happened to SDL's connection, the windows stay on top and a lost window ends the run.
#include "platform/platform.h"
#include "platform/sdl/x11_gamma.h"
#include "platform/sdl/x11_saver_windows.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>
#include <X11/Xlib.h>

#include <cstdio>

namespace tarnel::platform {

namespace {

constexpr int kSdlKeyCodeLimit = 512;

bool isSystemKey(const SDL_Keysym& key) {
    return (key.mod & KMOD_ALT) != 0 || key.scancode == SDL_SCANCODE_LALT ||
           key.scancode == SDL_SCANCODE_RALT || key.scancode == SDL_SCANCODE_F10;
}

MouseButton mouseButton(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT: return MouseButton::Left;
    case SDL_BUTTON_RIGHT: return MouseButton::Right;
    case SDL_BUTTON_MIDDLE: return MouseButton::Middle;
    default: return MouseButton::Other;
    }
}

DisplayMode toDisplayMode(const SDL_DisplayMode& mode) {
    return DisplayMode{mode.w, mode.h, static_cast<int>(SDL_BYTESPERPIXEL(mode.format)) * 8, mode.refresh_rate};
}

// SDL's displays, in screen pixels; display 0 is the primary one.
std::vector<DisplayDevice> sdlDisplays() {
    std::vector<DisplayDevice> devices;
    int count = SDL_GetNumVideoDisplays();
    const char* driver = SDL_GetCurrentVideoDriver();
    for (int i = 0; i < count; ++i) {
        SDL_Rect bounds{};
        DisplayDevice device;
        device.adapterName = std::string(driver ? driver : "video") + " display " + std::to_string(i);
        const char* name = SDL_GetDisplayName(i);
        device.monitorName = name ? name : "";
        device.primary = i == 0;
        device.attachedToDesktop = SDL_GetDisplayBounds(i, &bounds) == 0;
        if (device.attachedToDesktop) device.rect = Rect{bounds.x, bounds.y, bounds.x + bounds.w, bounds.y + bounds.h};
        devices.push_back(device);
    }
    return devices;
}

class SdlPlatform final : public Platform {
public:
    SdlPlatform() {
        if (X11Screen* screen = x11_.screen()) displays_ = screen->monitors();
        if (displays_.empty()) displays_ = sdlDisplays();
        if (!displays_.empty()) corner_ = SDL_Point{displays_.front().rect.left, displays_.front().rect.top};
    }

    ~SdlPlatform() override {
        closeAudio();
        destroyGlContext();
        closeWindows();
        // On a broken connection SDL would wait for ever for the server to confirm that its
        // windows are gone; the server took them away with the connection.
        if (!x11_.connectionLost()) SDL_Quit();
    }

    // The monitors of XRandR 1.5 where the server has them (one per monitor, those of
    // xrandr --setmonitor included), else SDL's displays; the primary first.
    std::vector<DisplayDevice> displayDevices() override {
        std::vector<DisplayDevice> devices = displays_;
        for (DisplayDevice& device : devices) {
            if (!device.attachedToDesktop) continue;
            device.rect = Rect{device.rect.left - corner_.x, device.rect.top - corner_.y, device.rect.right - corner_.x,
                               device.rect.bottom - corner_.y};
        }
        return devices;
    }

    std::vector<DisplayMode> primaryDisplayModes() override {
        std::vector<DisplayMode> modes;
        int count = SDL_GetNumDisplayModes(0);
        for (int i = 0; i < count; ++i) {
            SDL_DisplayMode mode{};
            if (SDL_GetDisplayMode(0, i, &mode) == 0) modes.push_back(toDisplayMode(mode));
        }
        return modes;
    }

    // The primary monitor's size, which is less than SDL's display where one output is
    // split into several monitors.
    std::optional<DisplayMode> desktopMode() override {
        SDL_DisplayMode mode{};
        if (SDL_GetDesktopDisplayMode(0, &mode) != 0) return std::nullopt;
        DisplayMode desktop = toDisplayMode(mode);
        if (!displays_.empty() && displays_.front().attachedToDesktop) {
            desktop.width = displays_.front().rect.width();
            desktop.height = displays_.front().rect.height();
        }
        return desktop;
    }

    void enterFullScreenMode(const DisplayMode& mode) override {
        fullScreenMode_ = mode;
        if (main_) applyFullScreenMode();
    }

    // SDL brings back its desktop mode; the screen's own connection then puts back whatever
    // still differs from before the run, which is everything when SDL's connection broke.
    void leaveFullScreenMode() override {
        if (main_ && fullScreenMode_ && !x11_.connectionLost()) SDL_SetWindowFullscreen(main_, 0);
        fullScreenMode_.reset();
        if (X11Screen* screen = x11_.screen()) screen->restoreModes();
    }

    WindowHandle openMainWindow(const Rect& rect) override {
        if (main_) return kNoWindow;
        requestGlAttributes();
        Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP;
        main_ = createSaverWindow(rect, flags);
        if (!main_) return kNoWindow;
        if (!createGlContext()) {
            SDL_DestroyWindow(main_);
            main_ = nullptr;
            return kNoWindow;
        }
        if (fullScreenMode_) applyFullScreenMode();
        windows_.push_back(main_);
        return static_cast<WindowHandle>(windows_.size());
    }

    WindowHandle openForeignWindow(std::uint64_t nativeId) override {
        if (main_) return kNoWindow;
        requestGlAttributes();
        SDL_SetHint(SDL_HINT_VIDEO_FOREIGN_WINDOW_OPENGL, "1");
        main_ = SDL_CreateWindowFrom(reinterpret_cast<const void*>(static_cast<std::uintptr_t>(nativeId)));
        if (!main_) return kNoWindow;
        foreign_ = true;
        x11_.adopt(main_, X11SaverWindows::Role::Host);
        // Inside a screensaver host's window, blanking and power saving are the host's call.
        SDL_EnableScreenSaver();
        if (!createGlContext()) {
            SDL_DestroyWindow(main_);
            main_ = nullptr;
            return kNoWindow;
        }
        windows_.push_back(main_);
        return static_cast<WindowHandle>(windows_.size());
    }

    // Asked on a connection of its own, with X errors held off: SDL's connection would end
    // the process on the BadWindow of a window that does not exist.
    bool foreignWindowExists(std::uint64_t nativeId) override {
        Display* display = XOpenDisplay(nullptr);
        if (!display) return false;
        XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        XWindowAttributes attributes{};
        bool found = XGetWindowAttributes(display, static_cast<Window>(nativeId), &attributes) != 0;
        XSync(display, False);
        XSetErrorHandler(previous);
        XCloseDisplay(display);
        return found;
    }

    std::optional<std::uint64_t> rootWindowId() override {
        Display* display = XOpenDisplay(nullptr);
        if (!display) return std::nullopt;
        std::uint64_t root = DefaultRootWindow(display);
        XCloseDisplay(display);
        return root;
    }

    WindowHandle openBlackWindow(const Rect& rect) override {
        SDL_Window* window = createSaverWindow(rect, SDL_WINDOW_BORDERLESS | SDL_WINDOW_ALWAYS_ON_TOP);
        if (!window) return kNoWindow;
        paintBlack(window);
        // A window surface may have made a context of SDL's own current.
        if (context_) SDL_GL_MakeCurrent(main_, context_);
        windows_.push_back(window);
        return static_cast<WindowHandle>(windows_.size());
    }

    void showWindows() override {
        if (!main_ || foreign_) return;
        SDL_ShowWindow(main_);
        SDL_RaiseWindow(main_);
        x11_.mainShown(main_);
    }

    void closeWindows() override {
        x11_.windowsClosing();
        // The server took the windows away with a broken connection; SDL would wait for ever
        // for it to say so.
        if (!x11_.connectionLost()) {
            for (SDL_Window* window : windows_) SDL_DestroyWindow(window);
        }
        x11_.windowsClosed();
        windows_.clear();
        main_ = nullptr;
        foreign_ = false;
    }

    Rect mainWindowRect() override {
        if (!main_) return Rect{};
        SDL_Rect bounds{};
        if (!foreign_) SDL_GetWindowPosition(main_, &bounds.x, &bounds.y);
        SDL_GL_GetDrawableSize(main_, &bounds.w, &bounds.h);
        return foreign_ ? Rect{0, 0, bounds.w, bounds.h} : fromX11(bounds);
    }

    bool swapIntervalSettable() override { return context_ && !foreign_; }

    bool setSwapInterval(int interval) override {
        return swapIntervalSettable() && SDL_GL_SetSwapInterval(interval) == 0;
    }

    void swapBuffers() override {
        if (main_ && context_ && !displayLost()) SDL_GL_SwapWindow(main_);
    }

    bool displayLost() override { return x11_.lost(); }

    void destroyGlContext() override {
        if (!context_ || x11_.connectionLost()) return;
        SDL_GL_MakeCurrent(main_, nullptr);
        SDL_GL_DeleteContext(context_);
        context_ = nullptr;
    }

    int refreshRate() override {
        SDL_DisplayMode mode{};
        int display = main_ ? SDL_GetWindowDisplayIndex(main_) : 0;
        if (SDL_GetCurrentDisplayMode(display < 0 ? 0 : display, &mode) == 0 && mode.refresh_rate > 0)
            return mode.refresh_rate;
        return 60;
    }

    // A lost window or display reads as a quit request, on every poll.
    bool pollEvent(InputEvent& event) override {
        x11_.poll();
        if (displayLost()) {
            event = InputEvent{};
            event.type = EventType::Quit;
            return true;
        }
        SDL_Event sdl;
        while (SDL_PollEvent(&sdl)) {
            if (translate(sdl, event)) return true;
        }
        return false;
    }

    void showCursor(bool visible) override { SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE); }

    void warpCursor(int screenX, int screenY) override {
        if (!main_) return;
        Rect rect = mainWindowRect();
        SDL_WarpMouseInWindow(main_, screenX - rect.left, screenY - rect.top);
    }

    // XRandR CRTC gamma only, no SDL fallback: on Linux, SDL2 writes a window's gamma only
    // through an X11 DirectColor colormap (never a GL window's TrueColor visual), and reads
    // back an identity ramp it makes up; its other video drivers have no gamma at all. So
    // under Wayland or offscreen these report failure and the display stays as it is.
    bool gammaRamp(GammaRamp& ramp) override {
        SDL_Point centre = mainWindowCentre();
        return x11_.screen() && gamma_.read(x11_.screen()->display(), centre.x, centre.y, ramp);
    }

    bool setGammaRamp(const GammaRamp& ramp) override {
        SDL_Point centre = mainWindowCentre();
        return x11_.screen() && gamma_.write(x11_.screen()->display(), centre.x, centre.y, ramp);
    }

    bool openAudio(int frequencyHz) override {
        if (audioOpen_) return true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
        Mix_Init(MIX_INIT_OGG);
        if (Mix_OpenAudio(frequencyHz, MIX_DEFAULT_FORMAT, 2, 2048) != 0) {
            Mix_Quit();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        audioOpen_ = true;
        return true;
    }

    void setMusicVolume(int percent) override {
        if (audioOpen_) Mix_VolumeMusic(percent * MIX_MAX_VOLUME / 100);
    }

    bool playMusicLooped(const std::vector<std::uint8_t>& bytes) override {
        if (!audioOpen_ || bytes.empty() || music_) return false;
        SDL_RWops* source = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
        if (!source) return false;
        music_ = Mix_LoadMUS_RW(source, 1);
        return music_ && Mix_PlayMusic(music_, -1) == 0;
    }

    void stopMusic() override {
        if (audioOpen_) Mix_HaltMusic();
    }

    void closeAudio() override {
        if (!audioOpen_) return;
        Mix_HaltMusic();
        if (music_) Mix_FreeMusic(music_);
        music_ = nullptr;
        Mix_CloseAudio();
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        audioOpen_ = false;
    }

private:
    void requestGlAttributes() {
        SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
        SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 8);
        SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    }

    bool createGlContext() {
        context_ = SDL_GL_CreateContext(main_);
        if (!context_) return false;
        SDL_GL_MakeCurrent(main_, context_);
        return true;
    }

    // X11 may place the primary monitor anywhere in its screen; the saver counts from the
    // primary's corner, as on Windows, so that its main window lands there.
    Rect fromX11(const SDL_Rect& bounds) const {
        const int left = bounds.x - corner_.x;
        const int top = bounds.y - corner_.y;
        return Rect{left, top, left + bounds.w, top + bounds.h};
    }

    // The saver's own windows are not managed: no window manager places or decorates them or
    // stacks a panel above them (they are raised again when covered), and none gives the focus
    // away from them; they take the keyboard and the pointer themselves.
    SDL_Window* createSaverWindow(const Rect& rect, Uint32 flags) {
        SDL_SetHint(SDL_HINT_X11_FORCE_OVERRIDE_REDIRECT, "1");
        SDL_Window* window =
            SDL_CreateWindow("Tarnel", corner_.x + rect.left, corner_.y + rect.top, rect.width(), rect.height(), flags);
        SDL_SetHint(SDL_HINT_X11_FORCE_OVERRIDE_REDIRECT, "0");
        x11_.adopt(window, main_ ? X11SaverWindows::Role::Black : X11SaverWindows::Role::Main);
        return window;
    }

    // Where the main window is, in screen pixels (a host's window sits anywhere in its
    // parent); the primary monitor's centre when that cannot be told.
    SDL_Point mainWindowCentre() {
        Rect area;
        if (main_) area = x11_.windowArea(main_);
        if (area.width() <= 0 && !displays_.empty()) area = displays_.front().rect;
        return SDL_Point{area.left + area.width() / 2, area.top + area.height() / 2};
    }

    // The black windows have no background of their own under X11: painted at creation and
    // again whenever they are uncovered.
    static void paintBlack(SDL_Window* window) {
        if (SDL_Surface* surface = SDL_GetWindowSurface(window)) {
            SDL_FillRect(surface, nullptr, SDL_MapRGB(surface->format, 0, 0, 0));
            SDL_UpdateWindowSurface(window);
        }
    }

    // The primary monitor's own size needs no switch: the window already covers the monitor,
    // and SDL's full screen would stretch it over SDL's display, which may hold several
    // monitors. A mode the display refuses leaves the desktop mode and the window at its size.
    void applyFullScreenMode() {
        if (!displays_.empty() && fullScreenMode_->width == displays_.front().rect.width() &&
            fullScreenMode_->height == displays_.front().rect.height())
            return;
        SDL_DisplayMode wanted{};
        wanted.w = fullScreenMode_->width;
        wanted.h = fullScreenMode_->height;
        SDL_DisplayMode closest{};
        if (!SDL_GetClosestDisplayMode(0, &wanted, &closest) || closest.w != wanted.w || closest.h != wanted.h)
            return;
        if (SDL_SetWindowDisplayMode(main_, &closest) == 0) SDL_SetWindowFullscreen(main_, SDL_WINDOW_FULLSCREEN);
    }

    bool translate(const SDL_Event& sdl, InputEvent& event) {
        event = InputEvent{};
        switch (sdl.type) {
        case SDL_QUIT:
            event.type = EventType::Quit;
            return true;
        case SDL_WINDOWEVENT:
            if (sdl.window.event == SDL_WINDOWEVENT_EXPOSED && (!main_ || sdl.window.windowID != SDL_GetWindowID(main_)))
                if (SDL_Window* window = SDL_GetWindowFromID(sdl.window.windowID)) paintBlack(window);
            return false;
        // Keys and clicks count whichever of the saver's windows has them: under X11 the focus
        // can move to a black window, and a saver that keys no longer end would look hung.
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            event.type = sdl.type == SDL_KEYDOWN ? EventType::KeyDown : EventType::KeyUp;
            event.keyCode = sdl.key.keysym.scancode < kSdlKeyCodeLimit ? sdl.key.keysym.scancode : 0;
            event.systemKey = isSystemKey(sdl.key.keysym);
            return true;
        case SDL_MOUSEMOTION: {
            if (!main_ || sdl.motion.windowID != SDL_GetWindowID(main_)) return false;
            Rect rect = mainWindowRect();
            event.type = EventType::MouseMove;
            event.x = rect.left + sdl.motion.x;
            event.y = rect.top + sdl.motion.y;
            return true;
        }
        case SDL_MOUSEBUTTONDOWN:
            event.type = EventType::ButtonDown;
            event.button = mouseButton(sdl.button.button);
            return true;
        default:
            return false;
        }
    }

    X11SaverWindows x11_;
    X11GammaRamp gamma_;
    std::vector<DisplayDevice> displays_;   // found at start, screen pixels, the primary first
    SDL_Point corner_{0, 0};                // the primary's top-left corner, screen pixels
    SDL_Window* main_ = nullptr;
    SDL_GLContext context_ = nullptr;
    bool foreign_ = false;
    std::vector<SDL_Window*> windows_;  // every window in opening order; handle = index + 1
    std::optional<DisplayMode> fullScreenMode_;
    bool audioOpen_ = false;
    Mix_Music* music_ = nullptr;
};

}  // namespace

std::unique_ptr<Platform> createDesktopPlatform(std::string* error) {
    // The saver installs its own SIGTERM/SIGINT handling so that the end steps run.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // Black windows opening on other monitors must not minimise the full-screen window.
    SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
    // A window manager's close request (Alt+F4, a close button) is a system command, which
    // the saver ignores like every other; only a quit request or a stop signal ends it.
    SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
    // The black windows paint through X11 itself: a surface drawn through a GL renderer of
    // SDL's would take the current context from the main window.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    // A click that gives a saver window the focus still ends the saver.
    SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        if (error) *error = SDL_GetError();
        return nullptr;
    }
    return std::make_unique<SdlPlatform>();
}

}  // namespace tarnel::platform
