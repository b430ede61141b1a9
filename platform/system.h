// Process services with no window behind them: the high-resolution counter, local time,
// the settings file location, the working directory and the installed data folder.
#pragma once

#include <cstdint>
#include <string>

namespace tarnel::platform {

std::uint64_t counterNow();        // ticks
std::uint64_t counterFrequency();  // ticks per second
// CPU seconds used so far by the calling thread, and by the whole process (all threads).
double threadCpuSeconds();
double processCpuSeconds();

struct LocalTime {
    int hour = 0;    // 0..23
    int minute = 0;
    int second = 0;
};
LocalTime localTime();

// ${XDG_CONFIG_HOME:-~/.config}/tarnel/settings.ini
std::string settingsFilePath();
// Reads at most maxBytes of a file; false when it cannot be opened.
bool readFileBounded(const std::string& path, std::size_t maxBytes, std::string& contents);
// Writes the whole file or leaves the old one: a temporary file beside it, flushed to disk,
// then renamed over it. Creates missing parent folders. A new file gets the permissions
// the user's umask leaves, a replaced one keeps its own. False, with the reason in error
// when given, when the file could not be written.
bool writeFileAtomically(const std::string& path, const std::string& contents, std::string* error = nullptr);

bool setWorkingDirectory(const std::string& folder);
std::string workingDirectory();
// The folder of the running program; empty when it cannot be told.
std::string executableFolder();
// The folder that holds the installed default data: beside the executable when a data.sdd
// lies there (a build tree), else the installed share folder.
std::string installedDataFolder();

}  // namespace tarnel::platform
