// On Linux a message box is shown by a copy of the program started for that one box, so that
// the run can close it (a stop signal, a lost display) instead of waiting on it. main() hands
// its arguments here before anything else.
#pragma once

#include <optional>

namespace tarnel::platform {

// When this process is such a copy: shows its box and returns the exit status. Otherwise
// returns nothing, and from then on this program's boxes are shown through copies of it.
std::optional<int> serveMessageBox(int argc, char** argv);

}  // namespace tarnel::platform
