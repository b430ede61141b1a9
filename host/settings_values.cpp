// One Name=value pair into the settings record: the names, the flags and the ranges that
// numbers are held to. Shared by the settings file and the one-run setting flags.
#include "host/settings.h"

#include <algorithm>
#include <cctype>

namespace tarnel {

namespace {

struct NumberField {
    const char* name;
    std::uint32_t Settings::*field;
    std::int64_t low;
    std::int64_t high;
};

struct FlagField {
    const char* name;
    bool Settings::*field;
};

const NumberField kNumbers[] = {
    {"Width", &Settings::Width, 640, 16384},   {"Height", &Settings::Height, 480, 16384},
    {"Depth", &Settings::Depth, 16, 32},       {"Volume", &Settings::Volume, 1, 100},
    {"Gamma", &Settings::Gamma, 0, 100},       {"Speed", &Settings::Speed, 0, 100},
};

const FlagField kFlags[] = {
    {"ShowClock", &Settings::ShowClock}, {"TimeFormat", &Settings::TimeFormat},
    {"EnableMusic", &Settings::EnableMusic}, {"UseDesktop", &Settings::UseDesktop},
    {"DefGamma", &Settings::DefGamma},   {"ShowFPS", &Settings::ShowFPS},
    {"VSync", &Settings::VSync},         {"MouseExit", &Settings::MouseExit},
};

}  // namespace

bool sameSettingName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

namespace {

// A whole signed decimal number; saturates far outside every range.
std::optional<std::int64_t> parseNumber(const char* text) {
    const char* p = text;
    bool negative = false;
    if (*p == '+' || *p == '-') negative = *p++ == '-';
    if (!std::isdigit(static_cast<unsigned char>(*p))) return std::nullopt;
    std::int64_t value = 0;
    for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) value = std::min<std::int64_t>(value * 10 + (*p - '0'), 1LL << 40);
    if (*p != '\0') return std::nullopt;
    return negative ? -value : value;
}

}  // namespace

bool applySettingValue(Settings& settings, const char* name, const char* value) {
    if (sameSettingName(name, "Path")) {
        std::string_view path(value);
        if (path.empty() || path.size() > kPathLimit) return false;
        settings.Path = std::string(path);
        return true;
    }
    if (sameSettingName(name, "Password")) {
        settings.Password = value;
        return true;
    }
    std::optional<std::int64_t> number = parseNumber(value);
    if (!number) return false;
    for (const FlagField& flag : kFlags) {
        if (!sameSettingName(name, flag.name)) continue;
        settings.*flag.field = *number != 0;
        return true;
    }
    for (const NumberField& field : kNumbers) {
        if (!sameSettingName(name, field.name)) continue;
        settings.*field.field = static_cast<std::uint32_t>(std::clamp(*number, field.low, field.high));
        return true;
    }
    return false;
}

Settings applySettingLines(std::string_view lines, const Settings& base) {
    Settings settings = base;
    std::size_t start = 0;
    while (start < lines.size()) {
        std::size_t end = std::min(lines.find('\n', start), lines.size());
        std::string_view line = lines.substr(start, end - start);
        std::size_t equals = line.find('=');
        if (equals != std::string_view::npos)
            applySettingValue(settings, std::string(line.substr(0, equals)).c_str(),
                              std::string(line.substr(equals + 1)).c_str());
        start = end + 1;
    }
    if (settings.DefGamma) settings.Gamma = 50;
    return settings;
}

}  // namespace tarnel
