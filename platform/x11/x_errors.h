// X errors during a saver run: Xlib's default handlers end the process, which would skip the
// end steps and leave the gamma ramp and the display mode changed. These handlers never end
// it; they note when the saver's window is gone (an error naming it) or a connection is
// broken, and the run ends through its end steps. Relies on Xlib 1.7's I/O exit handler.
#pragma once

#include <X11/Xlib.h>

namespace tarnel::platform {

// Replaces Xlib's protocol and I/O error handlers for the whole process.
void installXErrorHandlers();
// The connection's loss is noted instead of ending the process.
void surviveConnectionLoss(Display* display);
// Errors that name this window (0: none) say it is gone.
void watchWindowErrors(unsigned long window);
// Called when the window's destruction was seen some other way.
void noteWindowLost();

bool xWindowLost();
// Whether that connection broke.
bool xConnectionLost(Display* display);
// Protocol errors seen since installXErrorHandlers, those of temporary handlers aside.
int xProtocolErrors();

// Counts the protocol errors of the requests made during its lifetime instead of passing them
// to the process-wide handler: a sync first, so that errors of earlier requests still reach
// that handler, and a sync at the end, so that every error of its own has been counted.
class XErrorTrap {
public:
    explicit XErrorTrap(Display* display);
    ~XErrorTrap();
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    // Whether any request made so far failed.
    bool failed();

private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

}  // namespace tarnel::platform
