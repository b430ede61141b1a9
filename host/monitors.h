// Monitors: the displays found at start-up, at most 9, and the window the saver opened over
// each. Display 0 is the primary one; the main window goes to the first attached entry.
#pragma once

#include "platform/platform.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel {

constexpr std::size_t kMaxMonitors = 9;
constexpr std::size_t kMonitorNameLimit = 127;  // bytes kept of each description

struct MonitorInfo {
    std::string adapterName;
    std::string monitorName;
    int monitor = 0;                // display number + 1; 0 when not part of the desktop
    platform::Rect rect;            // virtual-screen pixels; all 0 when not part of the desktop
    platform::WindowHandle window = platform::kNoWindow;
};

// Fills monitors from the platform's display list in its order; a display with the same
// rectangle as an earlier one (a mirror) takes no entry, and a tenth entry and later ones are
// ignored. Returns the number of entries.
std::uint32_t enumerateMonitors(const std::vector<platform::DisplayDevice>& devices,
                                std::array<MonitorInfo, kMaxMonitors>& monitors);

}  // namespace tarnel
