// Read and write order of the stored values; flags are any non-zero number when read and
// exactly 0 or 1 when written.
#include "host/registry_settings.h"

namespace tarnel {

namespace {

void readFlag(platform::SettingsStore& store, const char* name, bool& flag) {
    if (std::optional<std::uint32_t> value = store.readNumber(name)) flag = *value != 0;
}

void readNumber(platform::SettingsStore& store, const char* name, std::uint32_t& number) {
    if (std::optional<std::uint32_t> value = store.readNumber(name)) number = *value;
}

}  // namespace

Settings readStoredSettings(platform::SettingsStore& store, const Settings& defaults) {
    Settings s = defaults;
    readFlag(store, "ShowClock", s.ShowClock);
    readFlag(store, "TimeFormat", s.TimeFormat);
    readFlag(store, "EnableMusic", s.EnableMusic);
    readFlag(store, "UseDesktop", s.UseDesktop);
    readFlag(store, "DefGamma", s.DefGamma);
    readNumber(store, "Width", s.Width);
    readNumber(store, "Height", s.Height);
    readNumber(store, "Depth", s.Depth);
    readNumber(store, "Volume", s.Volume);
    readNumber(store, "Gamma", s.Gamma);
    readNumber(store, "Speed", s.Speed);
    readFlag(store, "ShowFPS", s.ShowFPS);
    readFlag(store, "VSync", s.VSync);
    readFlag(store, "MouseExit", s.MouseExit);
    if (std::optional<std::string> path = store.readText("Path", kPathLimit); path && !path->empty()) s.Path = *path;
    if (s.DefGamma) s.Gamma = 50;
    return s;
}

bool writeStoredSettings(platform::SettingsStore& store, const Settings& s, std::string* reason) {
    const std::pair<const char*, std::uint32_t> values[] = {
        {"ShowClock", s.ShowClock}, {"TimeFormat", s.TimeFormat}, {"EnableMusic", s.EnableMusic},
        {"UseDesktop", s.UseDesktop}, {"ShowFlame", 0},          {"DefGamma", s.DefGamma},
        {"Width", s.Width},         {"Height", s.Height},         {"Depth", s.Depth},
        {"Volume", s.Volume},       {"Speed", s.Speed},           {"Gamma", s.Gamma},
        {"VSync", s.VSync},         {"MouseExit", s.MouseExit},   {"ShowFPS", s.ShowFPS},
    };
    bool written = true;
    for (const auto& [name, value] : values) {
        if (store.writeNumber(name, value)) continue;
        written = false;
        if (reason) *reason = store.writeFailure();
    }
    return written;
}

}  // namespace tarnel
