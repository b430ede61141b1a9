// Windows puts a temporary full-screen mode (CDS_FULLSCREEN) back by itself when the process
// ends, so the saver runs without a watcher there.
#include "platform/display_watcher.h"

namespace tarnel::platform {

std::unique_ptr<DisplayWatcher> startDisplayWatcher(bool) { return nullptr; }

}  // namespace tarnel::platform
