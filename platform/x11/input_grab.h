// The keyboard and the pointer for a full-screen saver window: grabbed, so that keys and
// clicks reach the saver whichever window has the focus (another program may take it) and
// nothing under the saver gets them.
#pragma once

#include <X11/Xlib.h>

namespace tarnel::platform {

// Gives the window the input focus and grabs the keyboard and the pointer on its connection;
// false when another client holds a grab or the window is not viewable yet (try again later).
bool grabInput(Display* display, Window window);

// SDL gives up its connection's grabs whenever one of its windows gains or loses the focus;
// its windows stop hearing of focus changes, so that the grabs last the whole run.
void hideFocusChanges(Display* display, Window window);

}  // namespace tarnel::platform
