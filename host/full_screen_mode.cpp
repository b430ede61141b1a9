// The full-screen mode of a saver run, from the settings and the modes the display lists.
#include "host/full_screen_mode.h"

#include <algorithm>

namespace tarnel {

FullScreenChoice chooseFullScreenMode(const Settings& settings, const std::vector<platform::DisplayMode>& modes,
                                      const std::optional<platform::DisplayMode>& desktop) {
    FullScreenChoice choice;
    choice.mode = platform::DisplayMode{static_cast<int>(settings.Width), static_cast<int>(settings.Height),
                                        static_cast<int>(settings.Depth), 0};
    // Depth and refresh rate are the display's business; only the size must exist.
    bool listed = std::any_of(modes.begin(), modes.end(), [&choice](const platform::DisplayMode& mode) {
        return mode.width == choice.mode.width && mode.height == choice.mode.height;
    });
    if (listed || !desktop || (desktop->width == choice.mode.width && desktop->height == choice.mode.height))
        return choice;
    choice.mode = *desktop;
    choice.desktopStandsIn = true;
    return choice;
}

}  // namespace tarnel
