// The user's options: one process-wide record loaded from the settings file at start-up in
// every run mode and written only by the configuration dialog. Field names are the value
// names of the file. Values out of their ranges are held to the nearest end.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarnel {

constexpr std::size_t kPathLimit = 255;            // bytes of Path
constexpr std::size_t kSettingsFileLimit = 16 << 20;  // bytes of the file that are read

class Settings {
public:
    bool ShowClock = true;
    bool TimeFormat = false;     // true: 12-hour clock, false: 24-hour
    bool EnableMusic = true;
    bool UseDesktop = true;
    bool DefGamma = true;        // leave the display gamma alone; Gamma is held at 50
    std::uint32_t Width = 1024;  // pixels, 640 or more
    std::uint32_t Height = 768;  // pixels, 480 or more
    std::uint32_t Depth = 32;    // bits per pixel, 16 or more
    std::uint32_t Volume = 100;  // percent, 1..100
    std::uint32_t Gamma = 50;    // 0..100, shown as brightness Gamma + 50 percent
    std::uint32_t Speed = 50;    // 0..100, camera time scale Speed / 50 + 0.5
    bool ShowFPS = false;
    bool VSync = false;
    bool MouseExit = false;
    std::string Path;            // working folder of the data package, at most 255 bytes
    std::string Password;        // of the data package; like Path, never written by the program
};

// The process-wide record.
Settings& settings();

// First-run values: the dialog's Restore Defaults, Speed 50, 24-hour clock, the desktop mode
// and the folder of the installed data.
Settings defaultSettings(const std::optional<platform::DisplayMode>& desktop, const std::string& dataFolder);

// One value by its name (letter case aside) into settings: numbers are held to their ranges,
// anything unreadable is ignored. True when the value was taken.
bool applySettingValue(Settings& settings, const char* name, const char* value);
bool sameSettingName(std::string_view a, std::string_view b);
// Plain Name=value lines of our own making (no comments, sections or quoting) over base.
Settings applySettingLines(std::string_view lines, const Settings& base);

// Reads Name=value lines over the defaults; anything unreadable keeps its default.
Settings parseSettings(std::string_view text, const Settings& defaults);
// The file text of a save: every value but Path and Password, and ShowFlame as 0. The Path and
// Password lines that a load of the old file takes are carried over unchanged, since the program
// never writes them itself.
std::string formatSettings(const Settings& settings, std::string_view oldText);

Settings loadSettings(const std::string& path, const Settings& defaults);
// False when the file could not be written, with the system's reason in reason when given.
bool saveSettings(const std::string& path, const Settings& settings, std::string* reason = nullptr);

}  // namespace tarnel
