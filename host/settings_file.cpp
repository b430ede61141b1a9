// Settings file: inih reads it, our writer replaces it atomically.
#include "host/settings.h"

#include "platform/system.h"

#include <ini.h>

#include <algorithm>

namespace tarnel {

namespace {

// No valid line comes near this; longer lines are dropped whole instead of being cut into
// pieces that might read as other values.
constexpr std::size_t kLineLimit = 1024;

int onValue(void* user, const char* /*section*/, const char* name, const char* value) {
    applySettingValue(*static_cast<Settings*>(user), name, value);
    return 1;
}

// The text inih sees: lines past the length limit removed, and nothing after a NUL byte.
std::string saneLines(std::string_view text) {
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    std::string kept;
    kept.reserve(std::min(text.size(), kSettingsFileLimit));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (next - start <= kLineLimit) kept.append(text.substr(start, next - start));
        start = next;
    }
    return kept;
}

std::string_view keptLine(std::string_view text, std::string_view wanted) {
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string_view line = text.substr(start, end - start);
        std::size_t equals = line.find('=');
        if (equals != std::string_view::npos && line.size() <= kLineLimit) {
            std::string_view name = line.substr(0, equals);
            while (!name.empty() && (name.back() == ' ' || name.back() == '\t')) name.remove_suffix(1);
            while (!name.empty() && (name.front() == ' ' || name.front() == '\t')) name.remove_prefix(1);
            if (sameSettingName(name, wanted)) return line;
        }
        start = end + 1;
    }
    return {};
}

}  // namespace

Settings parseSettings(std::string_view text, const Settings& defaults) {
    Settings settings = defaults;
    // The reader's line buffer must hold every line we let through whole (a 255-byte Path
    // among them), or it would cut long lines into pieces that read as further lines.
    ini_use_stack = false;
    ini_allow_realloc = true;
    ini_max_line = static_cast<int>(kLineLimit) + 3;
    ini_allow_multiline = false;
    std::string lines = saneLines(text.substr(0, std::min(text.size(), kSettingsFileLimit)));
    ini_parse_string(lines.c_str(), onValue, &settings);
    if (settings.DefGamma) settings.Gamma = 50;
    return settings;
}

std::string formatSettings(const Settings& s, std::string_view oldText) {
    auto flag = [](bool on) { return on ? "1" : "0"; };
    std::string text = "; Tarnel settings. Edited by the configuration dialog (tarnel /c).\n";
    text += std::string("ShowClock=") + flag(s.ShowClock) + "\n";
    text += std::string("TimeFormat=") + flag(s.TimeFormat) + "\n";
    text += std::string("EnableMusic=") + flag(s.EnableMusic) + "\n";
    text += std::string("UseDesktop=") + flag(s.UseDesktop) + "\n";
    text += "ShowFlame=0\n";
    text += std::string("DefGamma=") + flag(s.DefGamma) + "\n";
    text += "Width=" + std::to_string(s.Width) + "\n";
    text += "Height=" + std::to_string(s.Height) + "\n";
    text += "Depth=" + std::to_string(s.Depth) + "\n";
    text += "Volume=" + std::to_string(s.Volume) + "\n";
    text += "Speed=" + std::to_string(s.Speed) + "\n";
    text += "Gamma=" + std::to_string(s.Gamma) + "\n";
    text += std::string("VSync=") + flag(s.VSync) + "\n";
    text += std::string("MouseExit=") + flag(s.MouseExit) + "\n";
    text += std::string("ShowFPS=") + flag(s.ShowFPS) + "\n";
    for (std::string_view name : {"Path", "Password"}) {
        std::string_view kept = keptLine(oldText, name);
        if (!kept.empty()) text += std::string(kept) + "\n";
    }
    return text;
}

Settings loadSettings(const std::string& path, const Settings& defaults) {
    std::string text;
    if (!platform::readFileBounded(path, kSettingsFileLimit, text)) return parseSettings("", defaults);
    return parseSettings(text, defaults);
}

bool saveSettings(const std::string& path, const Settings& settings) {
    std::string oldText;
    platform::readFileBounded(path, kSettingsFileLimit, oldText);
    return platform::writeFileAtomically(path, formatSettings(settings, oldText));
}

}  // namespace tarnel
