// Windows: the registry key of the current user. A key that cannot be opened leaves the
// defaults; a save that cannot open it or write a value says why to its caller.
#include "host/user_settings.h"

#include "host/registry_settings.h"

namespace tarnel {

Settings loadUserSettings(const Settings& defaults) {
    std::unique_ptr<platform::SettingsStore> store = platform::openSettingsStore(platform::StoreAccess::Read);
    if (!store) {
        Settings s = defaults;
        if (s.DefGamma) s.Gamma = 50;
        return s;
    }
    return readStoredSettings(*store, defaults);
}

bool saveUserSettings(const Settings& settings, std::string& reason) {
    std::unique_ptr<platform::SettingsStore> store =
        platform::openSettingsStore(platform::StoreAccess::Write, platform::kSettingsKey, &reason);
    return store && writeStoredSettings(*store, settings, &reason);
}

std::string userSettingsLocation() { return "HKEY_CURRENT_USER\\Software\\Vossick\\Tarnel"; }

}  // namespace tarnel
