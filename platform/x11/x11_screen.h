// The saver's own connection to its X display, beside SDL's. It reads the monitors, keeps the
// screen's XRandR state from before the run to put the mode back, keeps the saver's windows
// above every other, and sees a watched window destroyed. A connection of its own stays
// usable when SDL's breaks, and no window of the saver is needed to reach the root window.
#pragma once

#include "platform/platform.h"
#include "platform/x11/randr_snapshot.h"

#include <X11/Xlib.h>

#include <chrono>
#include <memory>
#include <vector>

namespace tarnel::platform {

class X11Screen {
public:
    // Null when the display cannot be opened.
    static std::unique_ptr<X11Screen> open();
    ~X11Screen();
    X11Screen(const X11Screen&) = delete;
    X11Screen& operator=(const X11Screen&) = delete;

    Display* display() { return display_; }

    // The monitors of XRandR 1.5 (XRRGetMonitors, xrandr --setmonitor ones included) in
    // screen pixels, the primary first; empty before RandR 1.5 or when the server has none.
    std::vector<DisplayDevice> monitors();
    // The window's area in screen pixels; empty when it is gone.
    Rect windowArea(unsigned long window);

    // Puts back the CRTC modes and the screen size read when the connection opened, where they
    // differ; the gamma is left to its own restore.
    void restoreModes();

    // The window is raised again whenever another window covers part of it.
    void keepOnTop(unsigned long window);
    // The window's destruction by anyone ends the run (noteWindowLost).
    void watchDestruction(unsigned long window);
    // Whether the window lost the keyboard focus or a grab on it ended since the last call:
    // SDL gives up its grabs at times, and another program may take the focus.
    void watchFocus(unsigned long window);
    bool takeFocusLoss();
    void forgetWindows();
    // Handles what the server reported on this connection; never blocks.
    void processEvents();

private:
    explicit X11Screen(Display* display);
    void raiseWindows();
    void select(unsigned long window);

    Display* display_;
    ScreenState saved_;
    std::vector<unsigned long> onTop_;
    unsigned long watched_ = 0;
    unsigned long focusWatched_ = 0;
    bool focusLost_ = false;
    bool raisePending_ = false;
    std::chrono::steady_clock::time_point nextRaise_{};
};

}  // namespace tarnel::platform
