// Long command-line flags for every option of the configuration dialog. A screensaver host
// keeps a hack's settings as its command line, so each flag overrides the settings file for
// one run and is never written back.
#pragma once

#include "host/settings.h"

#include <string>

namespace tarnel {

enum class FlagMatch { NotOurs, Taken, Malformed };

// name: the flag as typed, without any "=value"; value: its argument when it takes one.
// Taken flags append settings-file lines to overrides. needsValue tells whether the flag
// takes an argument, so the caller knows what to pass.
bool settingFlagNeedsValue(const std::string& name);
FlagMatch takeSettingFlag(const std::string& name, const std::string& value, std::string& overrides,
                          std::string& error);

// The settings with the override lines read over them.
Settings applySettingOverrides(const Settings& settings, const std::string& overrides);

// Help lines for the flags.
const char* settingFlagsUsage();

}  // namespace tarnel
