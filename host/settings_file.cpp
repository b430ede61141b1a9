// Settings file: inih reads it, our writer replaces it atomically.
#include "host/settings.h"

#include "platform/system.h"

#include <ini.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <iterator>

namespace tarnel {

namespace {

// No valid line comes near this; longer lines are dropped whole instead of being cut into
// pieces that might read as other values.
constexpr std::size_t kLineLimit = 1024;

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

// Values the program reads but never writes. A save carries over, byte for byte, the line
// of the old file that the reader took for each: with two lines of a name, the one in force.
constexpr const char* kKeptNames[] = {"Path", "Password"};
constexpr std::size_t kKeptCount = std::size(kKeptNames);

// One read of a settings text: the values over a base, and for each kept name the line that
// they came from.
class Reading {
public:
    Reading(std::string_view fileText, const Settings& base)
        : settings(base), text_(saneLines(fileText.substr(0, std::min(fileText.size(), kSettingsFileLimit)))) {
        // The reader's line buffer must hold every line we let through whole (a 255-byte Path
        // among them), or it would cut long lines into pieces that read as further lines.
        ini_use_stack = false;
        ini_allow_realloc = true;
        ini_max_line = static_cast<int>(kLineLimit) + 3;
        ini_allow_multiline = false;
        ini_parse_stream(nextLine, this, onValue, this);
    }
    Reading(const Reading&) = delete;
    Reading& operator=(const Reading&) = delete;

    Settings settings;
    std::array<std::string_view, kKeptCount> kept{};  // empty where no line was taken

private:
    // inih's line source: hands out the text a piece at a time, so that the handler knows
    // which line a value came from. inih asks for a long line in several pieces (its buffer
    // grows as it goes); every piece of one line belongs to the same line.
    static char* nextLine(char* buffer, int size, void* source) {
        Reading& reading = *static_cast<Reading*>(source);
        const std::string& text = reading.text_;
        std::size_t start = reading.next_;
        if (start >= text.size() || size < 2) return nullptr;
        if (start == 0 || text[start - 1] == '\n') reading.lineStart_ = start;
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::size_t length = std::min({end + 1, text.size(), start + static_cast<std::size_t>(size) - 1}) - start;
        std::memcpy(buffer, text.data() + start, length);
        buffer[length] = '\0';
        reading.next_ = start + length;
        reading.line_ = std::string_view(text).substr(reading.lineStart_, end - reading.lineStart_);
        // The reader skips a byte-order mark before the first line; a kept line must not carry it.
        if (reading.lineStart_ == 0 && reading.line_.substr(0, 3) == "\xEF\xBB\xBF") reading.line_.remove_prefix(3);
        return buffer;
    }

    static int onValue(void* user, const char* /*section*/, const char* name, const char* value) {
        Reading& reading = *static_cast<Reading*>(user);
        if (!applySettingValue(reading.settings, name, value)) return 1;
        for (std::size_t i = 0; i < kKeptCount; ++i)
            if (sameSettingName(name, kKeptNames[i])) reading.kept[i] = reading.line_;
        return 1;
    }

    std::string text_;
    std::size_t next_ = 0;       // where the next piece starts
    std::size_t lineStart_ = 0;  // where the line being read starts
    std::string_view line_;   // the line being read, without its line break
};

}  // namespace

Settings parseSettings(std::string_view text, const Settings& defaults) {
    Reading reading(text, defaults);
    Settings settings = reading.settings;
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
    Reading old(oldText, Settings{});
    for (std::string_view line : old.kept)
        if (!line.empty()) text += std::string(line) + "\n";
    return text;
}

Settings loadSettings(const std::string& path, const Settings& defaults) {
    std::string text;
    if (!platform::readFileBounded(path, kSettingsFileLimit, text)) return parseSettings("", defaults);
    return parseSettings(text, defaults);
}

bool saveSettings(const std::string& path, const Settings& settings, std::string* reason) {
    std::string oldText;
    platform::readFileBounded(path, kSettingsFileLimit, oldText);
    return platform::writeFileAtomically(path, formatSettings(settings, oldText), reason);
}

}  // namespace tarnel
