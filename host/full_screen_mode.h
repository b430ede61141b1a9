// The mode a full-screen run switches to: the settings' Width x Height when the primary
// display lists that size, else the desktop mode, so that the main window always covers its
// monitor instead of sitting in a corner of a desktop left in its own mode.
#pragma once

#include "host/settings.h"
#include "platform/platform.h"

#include <optional>
#include <vector>

namespace tarnel {

struct FullScreenChoice {
    platform::DisplayMode mode;
    bool desktopStandsIn = false;  // the display lacks the settings' size
};

FullScreenChoice chooseFullScreenMode(const Settings& settings, const std::vector<platform::DisplayMode>& modes,
                                      const std::optional<platform::DisplayMode>& desktop);

}  // namespace tarnel
