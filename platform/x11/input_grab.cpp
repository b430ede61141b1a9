// Input grabs of the full-screen saver window.
#include "platform/x11/input_grab.h"

namespace tarnel::platform {

bool grabInput(Display* display, Window window) {
    // Owner events: the saver's own windows get their events as usual (clicks on a black
    // window count too); what happens elsewhere is reported to this window.
    constexpr unsigned kPointerEvents = ButtonPressMask | ButtonReleaseMask | PointerMotionMask;
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    bool keyboard = XGrabKeyboard(display, window, True, GrabModeAsync, GrabModeAsync, CurrentTime) == GrabSuccess;
    bool pointer = XGrabPointer(display, window, True, kPointerEvents, GrabModeAsync, GrabModeAsync, None, None,
                                CurrentTime) == GrabSuccess;
    XFlush(display);
    return keyboard && pointer;
}

void hideFocusChanges(Display* display, Window window) {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(display, window, &attributes)) return;
    XSelectInput(display, window, attributes.your_event_mask & ~FocusChangeMask);
}

}  // namespace tarnel::platform
