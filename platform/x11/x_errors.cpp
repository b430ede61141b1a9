// Process-wide X error handlers for the saver run: record, never exit.
#include "platform/x11/x_errors.h"

#include <dlfcn.h>

#include <algorithm>
#include <array>
#include <csignal>

namespace tarnel::platform {

namespace {

// Written only by the handlers below (Xlib calls them on the one thread that uses X) and by
// watchWindowErrors before the window draws; read by the loop.
constexpr int kConnectionsKept = 8;  // a saver holds two or three

struct XErrorRecord {
    unsigned long watchedWindow = 0;
    volatile std::sig_atomic_t windowLost = 0;
    std::array<Display*, kConnectionsKept> lostConnections{};
    int protocolErrors = 0;
};
XErrorRecord record;

void noteConnectionLost(Display* display) {
    for (Display*& slot : record.lostConnections) {
        if (slot == display) return;
        if (!slot) {
            slot = display;
            return;
        }
    }
}

int onProtocolError(Display*, XErrorEvent* error) {
    ++record.protocolErrors;
    // A window another program destroyed (a screensaver host ending its hack) shows up as the
    // next drawing request failing on it.
    bool namesWindow = record.watchedWindow != 0 && error->resourceid == record.watchedWindow;
    if (namesWindow && (error->error_code == BadWindow || error->error_code == BadDrawable))
        record.windowLost = 1;
    return 0;
}

int onIoError(Display* display) {
    noteConnectionLost(display);
    return 0;
}

// Xlib calls this where it would call exit(); returning leaves the connection dead but the
// process running, and later requests on it fail quietly.
void onIoErrorExit(Display* display, void*) { noteConnectionLost(display); }

// Errors inside an XErrorTrap; written only by its handler.
int trappedErrors = 0;

int countTrappedError(Display*, XErrorEvent*) {
    ++trappedErrors;
    return 0;
}

}  // namespace

void installXErrorHandlers() {
    XSetErrorHandler(onProtocolError);
    XSetIOErrorHandler(onIoError);
}

void surviveConnectionLoss(Display* display) {
    if (display) XSetIOErrorExitHandler(display, onIoErrorExit, nullptr);
}

void watchWindowErrors(unsigned long window) {
    record.watchedWindow = window;
    record.windowLost = 0;
}

void noteWindowLost() { record.windowLost = 1; }

bool xWindowLost() { return record.windowLost != 0; }

bool xConnectionLost(Display* display) {
    if (!display) return false;
    return std::find(record.lostConnections.begin(), record.lostConnections.end(), display) !=
           record.lostConnections.end();
}

int xProtocolErrors() { return record.protocolErrors; }

XErrorTrap::XErrorTrap(Display* display) : display_(display) {
    XSync(display_, False);
    previous_ = XSetErrorHandler(countTrappedError);
    trappedErrors = 0;
}

XErrorTrap::~XErrorTrap() {
    XSync(display_, False);
    XSetErrorHandler(previous_);
}

bool XErrorTrap::failed() {
    XSync(display_, False);
    return trappedErrors != 0;
}

}  // namespace tarnel::platform

// Mesa's GLX software path (llvmpipe) asks for its window's size before each frame that
// follows a swap and never looks at the status: when a screensaver host has just destroyed the
// window, Xlib leaves the size unwritten and the frame is laid out for whatever the stack held
// (a width of 1432359144 seen; now and then a crash inside glReadPixels). The executable's
// definition is the one every library calls; a failed request here reports a 0x0 drawable at
// the origin, on which GL draws nothing, and the error still reaches the handlers above.
extern "C" Status XGetGeometry(Display* display, Drawable drawable, Window* root, int* x, int* y,
                               unsigned int* width, unsigned int* height, unsigned int* border,
                               unsigned int* depth) {
    using Query = Status (*)(Display*, Drawable, Window*, int*, int*, unsigned int*, unsigned int*,
                             unsigned int*, unsigned int*);
    static const auto xlibQuery = reinterpret_cast<Query>(dlsym(RTLD_NEXT, "XGetGeometry"));
    *root = 0;
    *x = *y = 0;
    *width = *height = *border = *depth = 0;
    return xlibQuery ? xlibQuery(display, drawable, root, x, y, width, height, border, depth) : 0;
}
