// Linux: the settings file under the user's configuration folder.
#include "host/user_settings.h"

#include "platform/system.h"

namespace tarnel {

Settings loadUserSettings(const Settings& defaults) { return loadSettings(platform::settingsFilePath(), defaults); }

bool saveUserSettings(const Settings& settings, std::string& reason) {
    return saveSettings(platform::settingsFilePath(), settings, &reason);
}
std::string userSettingsLocation() { return platform::settingsFilePath(); }

}  // namespace tarnel
