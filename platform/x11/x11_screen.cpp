// The saver's own X connection: monitors, the mode from before the run, windows kept on top.
#include "platform/x11/x11_screen.h"

#include "platform/x11/x_errors.h"

#include <algorithm>
#include <string>

namespace tarnel::platform {

namespace {

constexpr int kRandrMonitors = 105;  // XRRGetMonitors came with RandR 1.5
// Two windows of the saver that overlap would raise each other for ever; a raise at most this
// often keeps that from filling the connection.
constexpr auto kRaiseInterval = std::chrono::milliseconds(100);

std::string atomName(Display* display, Atom atom) {
    if (atom == None) return "";
    char* name = XGetAtomName(display, atom);
    if (!name) return "";
    std::string text = name;
    XFree(name);
    return text;
}

}  // namespace

std::unique_ptr<X11Screen> X11Screen::open() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return nullptr;
    surviveConnectionLoss(display);
    return std::unique_ptr<X11Screen>(new X11Screen(display));
}

X11Screen::X11Screen(Display* display) : display_(display), saved_(captureScreenState(display)) {}

X11Screen::~X11Screen() {
    if (!xConnectionLost(display_)) XCloseDisplay(display_);
}

std::vector<DisplayDevice> X11Screen::monitors() {
    std::vector<DisplayDevice> devices;
    if (randrVersion(display_) < kRandrMonitors) return devices;
    XErrorTrap trap(display_);
    int count = 0;
    XRRMonitorInfo* monitors = XRRGetMonitors(display_, DefaultRootWindow(display_), True, &count);
    if (!monitors) return devices;
    for (int i = 0; i < count; ++i) {
        const XRRMonitorInfo& monitor = monitors[i];
        if (monitor.width <= 0 || monitor.height <= 0) continue;
        DisplayDevice device;
        device.adapterName = "x11 monitor " + std::to_string(i);
        device.monitorName = atomName(display_, monitor.name);
        device.attachedToDesktop = true;
        device.primary = monitor.primary != 0;
        device.rect = Rect{monitor.x, monitor.y, monitor.x + monitor.width, monitor.y + monitor.height};
        devices.push_back(device);
    }
    XRRFreeMonitors(monitors);
    if (trap.failed()) return {};
    std::stable_partition(devices.begin(), devices.end(), [](const DisplayDevice& d) { return d.primary; });
    // Without a primary the first stands for it: the saver draws on one monitor.
    if (!devices.empty()) devices.front().primary = true;
    for (std::size_t i = 1; i < devices.size(); ++i) devices[i].primary = false;
    return devices;
}

Rect X11Screen::windowArea(unsigned long window) {
    XErrorTrap trap(display_);
    XWindowAttributes attributes{};
    int x = 0, y = 0;
    Window child = 0;
    bool known = XGetWindowAttributes(display_, window, &attributes) &&
                 XTranslateCoordinates(display_, window, DefaultRootWindow(display_), 0, 0, &x, &y, &child);
    if (!known || trap.failed()) return Rect{};
    return Rect{x, y, x + attributes.width, y + attributes.height};
}

void X11Screen::restoreModes() {
    if (!xConnectionLost(display_)) restoreScreenState(display_, saved_, true, false);
}

// This connection's event mask on the window, from every role the window has.
void X11Screen::select(unsigned long window) {
    long mask = 0;
    if (std::find(onTop_.begin(), onTop_.end(), window) != onTop_.end()) mask |= VisibilityChangeMask;
    if (window == watched_) mask |= StructureNotifyMask;
    if (window == focusWatched_) mask |= FocusChangeMask;
    XSelectInput(display_, window, mask);
    XFlush(display_);
}

void X11Screen::keepOnTop(unsigned long window) {
    onTop_.push_back(window);
    select(window);
}

void X11Screen::watchDestruction(unsigned long window) {
    watched_ = window;
    select(window);
}

void X11Screen::watchFocus(unsigned long window) {
    focusWatched_ = window;
    focusLost_ = false;
    select(window);
}

bool X11Screen::takeFocusLoss() {
    bool lost = focusLost_;
    focusLost_ = false;
    return lost;
}

void X11Screen::forgetWindows() {
    onTop_.clear();
    watched_ = 0;
    focusWatched_ = 0;
    focusLost_ = false;
    raisePending_ = false;
}

void X11Screen::processEvents() {
    if (xConnectionLost(display_)) return;
    while (XPending(display_) > 0) {
        XEvent event;
        XNextEvent(display_, &event);
        if (event.type == VisibilityNotify && event.xvisibility.state != VisibilityUnobscured &&
            std::find(onTop_.begin(), onTop_.end(), event.xvisibility.window) != onTop_.end())
            raisePending_ = true;
        if (event.type == DestroyNotify && watched_ != 0 && event.xdestroywindow.window == watched_)
            noteWindowLost();
        if (event.type == FocusOut && focusWatched_ != 0 && event.xfocus.window == focusWatched_) focusLost_ = true;
    }
    if (raisePending_ && std::chrono::steady_clock::now() >= nextRaise_) raiseWindows();
}

void X11Screen::raiseWindows() {
    raisePending_ = false;
    nextRaise_ = std::chrono::steady_clock::now() + kRaiseInterval;
    for (unsigned long window : onTop_) XRaiseWindow(display_, window);
    XFlush(display_);
}

}  // namespace tarnel::platform
