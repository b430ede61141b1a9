// Setting flags become settings-file lines, so the file reader's rules apply to them as well.
#include "host/setting_flags.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace tarnel {

namespace {

struct SwitchFlag {
    const char* name;       // --name turns it on, --no-name off
    const char* setting;
};

const SwitchFlag kSwitches[] = {
    {"music", "EnableMusic"}, {"clock", "ShowClock"},     {"fps", "ShowFPS"},           {"vsync", "VSync"},
    {"mouse-exit", "MouseExit"}, {"desktop", "UseDesktop"}, {"default-gamma", "DefGamma"},
};

struct NumberFlag {
    const char* name;
    const char* setting;
    long low;
    long high;
    const char* extra;      // further lines the flag implies
};

const NumberFlag kNumbers[] = {
    {"--speed", "Speed", 0, 100, ""},
    {"--volume", "Volume", 1, 100, ""},
    {"--gamma", "Gamma", 0, 100, "DefGamma=0\n"},
};

bool wholeNumber(const std::string& text, long low, long high, long& value) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos) return false;
    value = std::strtol(text.c_str(), nullptr, 10);
    return value >= low && value <= high;
}

// "WxHxB" or "WxH": a full-screen mode, which also turns the desktop mode off.
bool parseMode(const std::string& text, std::string& lines) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (std::size_t x; parts.size() < 4 && (x = text.find_first_of("xX", start)) != std::string::npos; start = x + 1)
        parts.push_back(text.substr(start, x - start));
    parts.push_back(text.substr(start));
    if (parts.size() < 2 || parts.size() > 3) return false;
    long values[3] = {0, 0, 32};
    const long low[3] = {640, 480, 16};
    const long high[3] = {16384, 16384, 32};
    for (std::size_t i = 0; i < parts.size(); ++i)
        if (!wholeNumber(parts[i], low[i], high[i], values[i])) return false;
    lines += "Width=" + std::to_string(values[0]) + "\nHeight=" + std::to_string(values[1]) + "\nDepth=" +
             std::to_string(values[2]) + "\nUseDesktop=0\n";
    return true;
}

}  // namespace

bool settingFlagNeedsValue(const std::string& name) {
    for (const NumberFlag& flag : kNumbers)
        if (name == flag.name) return true;
    return name == "--mode";
}

FlagMatch takeSettingFlag(const std::string& name, const std::string& value, std::string& overrides,
                          std::string& error) {
    if (name == "--12h" || name == "--24h") {
        overrides += name == "--12h" ? "TimeFormat=1\n" : "TimeFormat=0\n";
        return FlagMatch::Taken;
    }
    for (const SwitchFlag& flag : kSwitches) {
        if (name == std::string("--") + flag.name || name == std::string("--no-") + flag.name) {
            overrides += std::string(flag.setting) + (name.rfind("--no-", 0) == 0 ? "=0\n" : "=1\n");
            return FlagMatch::Taken;
        }
    }
    for (const NumberFlag& flag : kNumbers) {
        if (name != flag.name) continue;
        long number = 0;
        if (!wholeNumber(value, flag.low, flag.high, number)) {
            error = name + " needs a number from " + std::to_string(flag.low) + " to " + std::to_string(flag.high);
            return FlagMatch::Malformed;
        }
        overrides += std::string(flag.setting) + "=" + std::to_string(number) + "\n" + flag.extra;
        return FlagMatch::Taken;
    }
    if (name == "--mode") {
        if (parseMode(value, overrides)) return FlagMatch::Taken;
        error = "--mode needs WIDTHxHEIGHT or WIDTHxHEIGHTxBITS, at least 640x480x16";
        return FlagMatch::Malformed;
    }
    return FlagMatch::NotOurs;
}

Settings applySettingOverrides(const Settings& settings, const std::string& overrides) {
    if (overrides.empty()) return settings;
    return applySettingLines(overrides, settings);
}

const char* settingFlagsUsage() {
    return "Settings for this run only (the settings file is not changed):\n"
           "  --speed N         camera speed, 0 to 100\n"
           "  --volume N        music volume in percent, 1 to 100\n"
           "  --gamma N         brightness, 0 to 100 (50 is unchanged); turns default gamma off\n"
           "  --[no-]default-gamma  leave the display gamma alone\n"
           "  --[no-]music      music on or off\n"
           "  --[no-]clock      the clock on or off; --12h or --24h picks its format\n"
           "  --[no-]fps        frames per second on or off\n"
           "  --[no-]vsync      wait for vertical sync\n"
           "  --[no-]mouse-exit end the saver when the mouse moves\n"
           "  --[no-]desktop    full screen in the desktop's mode\n"
           "  --mode WxH[xB]    full-screen mode (turns --desktop off)\n";
}

}  // namespace tarnel
