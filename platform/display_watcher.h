// The display watcher: a small process started before the saver connects to its display. It
// reads what the saver may change (display mode, gamma ramp) and puts it back if the saver
// ends without saying that its end steps did so: killed (SIGKILL, which a screensaver host
// sends to a hack that does not exit) or crashed. It ends with the saver, within a second.
#pragma once

#include <memory>

namespace tarnel::platform {

class DisplayWatcher {
public:
    virtual ~DisplayWatcher() = default;
    // The end steps have put the display back: the watcher leaves it as it is.
    virtual void reportRestored() = 0;
};

// Null where there is nothing to watch: no X display, or a system that puts a full-screen
// mode back by itself when the process ends. Call it before any window-system connection
// and before any thread starts, since it forks. verbose: the watcher says on standard error
// when it had to put the display back.
std::unique_ptr<DisplayWatcher> startDisplayWatcher(bool verbose);

}  // namespace tarnel::platform
