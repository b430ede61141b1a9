// Windows: the registry key of the current user. A key that cannot be opened leaves the
// defaults, and a save that cannot open it writes nothing; neither is reported.
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

bool saveUserSettings(const Settings& settings) {
    std::unique_ptr<platform::SettingsStore> store = platform::openSettingsStore(platform::StoreAccess::Write);
    if (!store) return false;
    writeStoredSettings(*store, settings);
    return true;
}

std::string userSettingsLocation() { return "HKEY_CURRENT_USER\\Software\\Vossick\\Tarnel"; }

}  // namespace tarnel
