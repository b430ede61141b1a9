// The Windows backend: "MyWindow" (the GL window on the first monitor) and "FakeMonitor"
// windows over the others, ChangeDisplaySettingsA for the full-screen mode, the saver's
// window procedure, PeekMessageA input, cursor, SetDeviceGammaRamp and waveOut music.
#include "platform/platform.h"

#include "platform/win32/monitor_functions.h"
#include "platform/win32/waveout_music.h"
#include "platform/win32/wgl_context.h"

#include <windows.h>

#include <deque>

namespace tarnel::platform {

namespace {

constexpr const char* kMainClass = "MyWindow";
constexpr const char* kBlackClass = "FakeMonitor";
constexpr const char* kTitle = "Tarnel";
constexpr UINT kLoadingTick = WM_USER + 2;
constexpr int kIconResource = 111;

using SwapIntervalFn = BOOL(WINAPI*)(int);
using GetSwapIntervalFn = int(WINAPI*)();

int startupShowCommand() {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    return (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : SW_SHOWDEFAULT;
}

DisplayMode toDisplayMode(const DEVMODEA& mode) {
    return DisplayMode{static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
                       static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency)};
}

class Win32Platform final : public Platform {
public:
    Win32Platform() : instance_(GetModuleHandleA(nullptr)), showCommand_(startupShowCommand()) {}

    ~Win32Platform() override {
        music_.close();
        destroyGlContext();
        closeWindows();
    }

    std::vector<DisplayDevice> displayDevices() override { return monitors_.displayDevices(); }

    std::vector<DisplayMode> primaryDisplayModes() override {
        std::vector<DisplayMode> modes;
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) modes.push_back(toDisplayMode(mode));
        return modes;
    }

    std::optional<DisplayMode> desktopMode() override {
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) return std::nullopt;
        return toDisplayMode(mode);
    }

    // Temporary and for the primary display only; a refused mode leaves the desktop's.
    void enterFullScreenMode(const DisplayMode& wanted) override {
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        mode.dmPelsWidth = static_cast<DWORD>(wanted.width);
        mode.dmPelsHeight = static_cast<DWORD>(wanted.height);
        mode.dmBitsPerPel = static_cast<DWORD>(wanted.bitsPerPixel);
        mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
        ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN);
    }

    // Back to the mode stored in the system's registry.
    void leaveFullScreenMode() override { ChangeDisplaySettingsA(nullptr, 0); }

    WindowHandle openMainWindow(const Rect& rect) override {
        if (main_ || !registerClasses()) return kNoWindow;
        HWND window = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_TOPMOST, kMainClass, kTitle,
                                      WS_POPUP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0, 0, rect.width(), rect.height(),
                                      nullptr, nullptr, instance_, this);
        if (!window) return kNoWindow;
        main_ = window;
        return remember(window);
    }

    WindowHandle openForeignWindow(std::uint64_t) override { return kNoWindow; }
    std::optional<std::uint64_t> rootWindowId() override { return std::nullopt; }

    WindowHandle openBlackWindow(const Rect& rect) override {
        if (!registerClasses()) return kNoWindow;
        HWND window = CreateWindowExA(WS_EX_APPWINDOW | WS_EX_TOPMOST, kBlackClass, kTitle, WS_POPUP | WS_VISIBLE,
                                      rect.left, rect.top, rect.width(), rect.height(), nullptr, nullptr, instance_,
                                      nullptr);
        return window ? remember(window) : kNoWindow;
    }

    void showWindows() override {
        for (HWND window : windows_) ShowWindow(window, showCommand_);
        if (main_) SetFocus(main_);
    }

    void closeWindows() override {
        if (main_ && dc_) ReleaseDC(main_, dc_);
        dc_ = nullptr;
        for (HWND window : windows_) DestroyWindow(window);
        windows_.clear();
        main_ = nullptr;
        if (classesRegistered_) {
            UnregisterClassA(kMainClass, instance_);
            UnregisterClassA(kBlackClass, instance_);
            classesRegistered_ = false;
        }
        // The quit message the main window posted as it went: a later run starts afresh.
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {}
        events_.clear();
    }

    Rect mainWindowRect() override {
        RECT client{};
        if (!main_ || !GetClientRect(main_, &client)) return Rect{};
        POINT corner{0, 0};
        ClientToScreen(main_, &corner);
        return Rect{corner.x, corner.y, corner.x + client.right, corner.y + client.bottom};
    }

    // The interval is set only where the driver can also report it.
    bool swapIntervalSettable() override {
        return context_ && wglGetProcAddress("wglGetSwapIntervalEXT") && wglGetProcAddress("wglSwapIntervalEXT");
    }

    bool setSwapInterval(int interval) override {
        auto swapInterval = reinterpret_cast<SwapIntervalFn>(reinterpret_cast<void*>(wglGetProcAddress("wglSwapIntervalEXT")));
        return swapInterval && swapInterval(interval);
    }

    void swapBuffers() override {
        if (dc_ && context_) SwapBuffers(dc_);
    }

    void destroyGlContext() override {
        deleteContext(context_);
        context_ = nullptr;
    }

    void deliverLoadingTick(const std::function<void()>& drawFrame) override {
        if (!main_) {
            drawFrame();
            return;
        }
        loadingFrame_ = &drawFrame;
        SendMessageA(main_, kLoadingTick, 0, 0);
        loadingFrame_ = nullptr;
    }

    int refreshRate() override {
        std::optional<DisplayMode> mode = desktopMode();
        return mode && mode->refreshRate > 1 ? mode->refreshRate : 60;
    }

    // Dispatches every waiting message; the window procedure turns the saver's into events.
    bool pollEvent(InputEvent& event) override {
        MSG message;
        while (events_.empty() && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                events_.push_back(InputEvent{});
                break;
            }
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (events_.empty()) return false;
        event = events_.front();
        events_.pop_front();
        return true;
    }

    void showCursor(bool visible) override { ShowCursor(visible ? TRUE : FALSE); }
    void warpCursor(int screenX, int screenY) override { SetCursorPos(screenX, screenY); }

    bool gammaRamp(GammaRamp& ramp) override { return dc_ && GetDeviceGammaRamp(dc_, ramp.data()); }
    bool setGammaRamp(const GammaRamp& ramp) override {
        return dc_ && SetDeviceGammaRamp(dc_, const_cast<std::uint16_t*>(ramp.data()));
    }

    bool openAudio(int) override { return true; }
    void setMusicVolume(int percent) override { music_.setVolume(percent); }
    bool playMusicLooped(const std::vector<std::uint8_t>& bytes) override { return music_.playLooped(bytes); }
    void stopMusic() override { music_.stop(); }
    void closeAudio() override { music_.close(); }

private:
    static LRESULT CALLBACK mainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        }
        auto* self = reinterpret_cast<Win32Platform*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self) return DefWindowProcA(window, message, wParam, lParam);
        return self->handle(window, message, wParam, lParam);
    }

    LRESULT handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        switch (message) {
        case WM_CREATE:
            dc_ = GetDC(window);
            setWindowPixelFormat(dc_);
            context_ = createCurrentContext(dc_);
            return 0;
        case WM_DESTROY:
        case WM_CLOSE:
            PostQuitMessage(0);
            return 0;
        case WM_KEYDOWN:
        case WM_KEYUP:
            queue(message == WM_KEYDOWN ? EventType::KeyDown : EventType::KeyUp, static_cast<int>(wParam & 0xFF));
            return 0;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
            events_.push_back(InputEvent{EventType::ButtonDown, 0, false, 0, 0,
                                         message == WM_LBUTTONDOWN ? MouseButton::Left : MouseButton::Right});
            return 0;
        case WM_MOUSEMOVE:
            // Low and high 16 bits read as unsigned; the window sits at the screen's corner.
            events_.push_back(InputEvent{EventType::MouseMove, 0, false, static_cast<int>(LOWORD(lParam)),
                                         static_cast<int>(HIWORD(lParam)), MouseButton::Other});
            return 0;
        case WM_SYSCOMMAND:
            return 0;  // screen saving, monitor power, Alt+F4's close: all swallowed
        case kLoadingTick:
            if (loadingFrame_) (*loadingFrame_)();
            return 0;
        default:
            return DefWindowProcA(window, message, wParam, lParam);
        }
    }

    void queue(EventType type, int keyCode) {
        InputEvent event;
        event.type = type;
        event.keyCode = keyCode;
        events_.push_back(event);
    }

    bool registerClasses() {
        if (classesRegistered_) return true;
        WNDCLASSA main{};
        main.style = CS_HREDRAW | CS_VREDRAW | CS_OWNDC;
        main.lpfnWndProc = mainProcedure;
        main.hInstance = instance_;
        main.hIcon = LoadIconA(instance_, MAKEINTRESOURCEA(kIconResource));
        main.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        main.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
        main.lpszClassName = kMainClass;
        WNDCLASSA black = main;
        black.style = CS_HREDRAW | CS_VREDRAW;
        black.lpfnWndProc = DefWindowProcA;
        black.lpszClassName = kBlackClass;
        if (!RegisterClassA(&main)) return false;
        if (!RegisterClassA(&black)) {
            UnregisterClassA(kMainClass, instance_);
            return false;
        }
        classesRegistered_ = true;
        return true;
    }

    WindowHandle remember(HWND window) {
        windows_.push_back(window);
        return static_cast<WindowHandle>(windows_.size());
    }

    HINSTANCE instance_;
    int showCommand_;
    MonitorFunctions monitors_;
    bool classesRegistered_ = false;
    HWND main_ = nullptr;
    HDC dc_ = nullptr;               // the main window's own device context
    HGLRC context_ = nullptr;
    std::vector<HWND> windows_;      // every window in opening order; handle = index + 1
    std::deque<InputEvent> events_;  // filled by the window procedure, drained by pollEvent
    const std::function<void()>* loadingFrame_ = nullptr;  // set only while a tick is sent
    WaveOutMusic music_;
};

}  // namespace

std::unique_ptr<Platform> createDesktopPlatform(std::string*) { return std::make_unique<Win32Platform>(); }

}  // namespace tarnel::platform
