// The settings as the values of a platform::SettingsStore, in the fixed order of the system
// they come from: read in field order, written with ShowFlame (always 0) and without Path.
#pragma once

#include "host/settings.h"
#include "platform/settings_store.h"

namespace tarnel {

// Values missing from the store keep their defaults; nothing is held to a range. With
// DefGamma on, Gamma reads as 50.
Settings readStoredSettings(platform::SettingsStore& store, const Settings& defaults);
// Writes every value even past a failure; false when any was refused, with the store's
// reason for the last one in reason when given.
bool writeStoredSettings(platform::SettingsStore& store, const Settings& settings, std::string* reason = nullptr);

}  // namespace tarnel
