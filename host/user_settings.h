// Where this build keeps the user's settings: the settings file on Linux, the registry on
// Windows. Start-up loads them once; the configuration dialog's OK saves them.
#pragma once

#include "host/settings.h"

#include <string>

namespace tarnel {

Settings loadUserSettings(const Settings& defaults);
// False when the settings could not be saved, with the system's reason.
bool saveUserSettings(const Settings& settings, std::string& reason);
// Where the settings live, for messages: a file path or a registry key.
std::string userSettingsLocation();

}  // namespace tarnel
