// Process start-up in every run mode: our own options out of argv, the screensaver switch
// line, the settings, the monitors, the desktop-mode rule, the working directory, and the
// dispatch to the saver run, the configuration dialog or the preview.
#pragma once

#include <string>
#include <vector>

namespace tarnel {

// Returns the process exit status: 0 when the mode ran, 2 for a malformed option of ours,
// 1 when no display or offscreen context could be had at all.
// systemLine: the process's whole command line as the system keeps it (Windows); when none
// of our own options was given, the switch parser reads it instead of a line built from args.
int runTarnel(const std::vector<std::string>& args, const std::string* systemLine = nullptr);

}  // namespace tarnel
