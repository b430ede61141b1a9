// Process services with no window behind them: the high-resolution counter, local time,
// the settings file location, the working directory and the installed data folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
// then renamed over it. Creates missing parent folders.
bool writeFileAtomically(const std::string& path, const std::string& contents);

bool setWorkingDirectory(const std::string& folder);
std::string workingDirectory();
// The folder of the running program; empty when it cannot be told.
std::string executableFolder();
// Folders that may hold the installed default data, in the order they are tried: beside the
// executable (a build tree), the share folder of the prefix it lies under (bin/ and
// libexec/xscreensaver/ both lead to share/tarnel), then the folder the build was configured
// to install it in. An install moved to another prefix still finds its data.
std::vector<std::string> dataFolderCandidates();
// The first of those folders that holds a data.sdd; with none, the prefix's share folder.
std::string installedDataFolder();

}  // namespace tarnel::platform
