// The application record of the process: run mode, owner window, show command and the
// monitors found at start. It lives on the entry point's stack until the process returns.
#pragma once

#include "host/monitors.h"

#include <array>
#include <cstdint>

namespace tarnel {

enum RunMode : std::int32_t { Configure = 0, Preview = 1, Saver = 2, Test = 3 };

class SaverApp {
public:
    virtual ~SaverApp() = default;

    std::int32_t mode = Configure;
    std::int32_t parentWindow = 0;   // the window number after /c or /p; 0 when none
    std::int32_t showCommand = 1;    // every window opens shown
    std::array<MonitorInfo, kMaxMonitors> monitors{};
    std::uint32_t monitorCount = 0;
};

}  // namespace tarnel
