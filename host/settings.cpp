// The settings record and its first-run values.
#include "host/settings.h"

#include <algorithm>

namespace tarnel {

Settings& settings() {
    // The one settings record of the process: loaded at start-up, read by every module.
    static Settings record;
    return record;
}

Settings defaultSettings(const std::optional<platform::DisplayMode>& desktop, const std::string& dataFolder) {
    Settings defaults;
    if (desktop) {
        defaults.Width = static_cast<std::uint32_t>(std::clamp(desktop->width, 640, 16384));
        defaults.Height = static_cast<std::uint32_t>(std::clamp(desktop->height, 480, 16384));
        defaults.Depth = static_cast<std::uint32_t>(std::clamp(desktop->bitsPerPixel, 16, 32));
    }
    if (dataFolder.size() <= kPathLimit) defaults.Path = dataFolder;
    return defaults;
}

}  // namespace tarnel
