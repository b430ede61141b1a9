// POSIX services: monotonic clock, local time, files and folders.
#include "platform/system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <vector>

#ifndef TARNEL_INSTALL_DATADIR
#define TARNEL_INSTALL_DATADIR "/usr/local/share/tarnel"
#endif

namespace tarnel::platform {

namespace fs = std::filesystem;

std::uint64_t counterNow() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint64_t>(now.tv_sec) * 1000000000u + static_cast<std::uint64_t>(now.tv_nsec);
}

std::uint64_t counterFrequency() { return 1000000000u; }

namespace {
double cpuSeconds(clockid_t clock) {
    timespec used{};
    clock_gettime(clock, &used);
    return static_cast<double>(used.tv_sec) + static_cast<double>(used.tv_nsec) * 1e-9;
}
}  // namespace

double threadCpuSeconds() { return cpuSeconds(CLOCK_THREAD_CPUTIME_ID); }
double processCpuSeconds() { return cpuSeconds(CLOCK_PROCESS_CPUTIME_ID); }

LocalTime localTime() {
    std::time_t now = std::time(nullptr);
    std::tm parts{};
    localtime_r(&now, &parts);
    return LocalTime{parts.tm_hour, parts.tm_min, parts.tm_sec};
}

std::string settingsFilePath() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    fs::path base;
    if (config && config[0] == '/') {
        base = config;
    } else {
        const char* home = std::getenv("HOME");
        base = fs::path(home && home[0] ? home : "/tmp") / ".config";
    }
    return (base / "tarnel" / "settings.ini").string();
}

namespace {

bool writeAll(int fd, const std::string& contents) {
    std::size_t done = 0;
    while (done < contents.size()) {
        ssize_t n = ::write(fd, contents.data() + done, contents.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Makes a finished rename survive a power cut on file systems that need it.
void syncFolder(const fs::path& folder) {
    int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::string& contents) {
    fs::path target(path);
    fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> tempName(pattern.begin(), pattern.end());
    tempName.push_back('\0');
    int fd = ::mkstemp(tempName.data());
    if (fd < 0) return false;
    bool ok = writeAll(fd, contents) && ::fsync(fd) == 0;
    ok = (::close(fd) == 0) && ok;
    if (ok) ok = std::rename(tempName.data(), path.c_str()) == 0;
    if (!ok) {
        ::unlink(tempName.data());
        return false;
    }
    syncFolder(folder);
    return true;
}

bool setWorkingDirectory(const std::string& folder) {
    return !folder.empty() && ::chdir(folder.c_str()) == 0;
}

std::string workingDirectory() {
    std::error_code error;
    fs::path current = fs::current_path(error);
    return error ? std::string() : current.string();
}

std::string executableFolder() {
    std::error_code error;
    fs::path exe = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : exe.parent_path().string();
}

namespace {

// The share folder of the prefix a program is installed under: bin/ sits one level below the
// prefix, a screensaver daemon's hack folder (libexec/xscreensaver/) two.
fs::path prefixDataFolder(const fs::path& programFolder) {
    fs::path prefix = programFolder.parent_path();
    if (programFolder.filename() == "xscreensaver") prefix = prefix.parent_path();
    return (prefix / "share" / "tarnel").lexically_normal();
}

}  // namespace

std::vector<std::string> dataFolderCandidates() {
    std::vector<std::string> folders;
    const fs::path programFolder = executableFolder();
    if (!programFolder.empty()) {
        folders.push_back(programFolder.string());
        folders.push_back(prefixDataFolder(programFolder).string());
    }
    if (std::find(folders.begin(), folders.end(), TARNEL_INSTALL_DATADIR) == folders.end())
        folders.push_back(TARNEL_INSTALL_DATADIR);
    return folders;
}

std::string installedDataFolder() {
    const std::vector<std::string> folders = dataFolderCandidates();
    std::error_code error;
    for (const std::string& folder : folders)
        if (fs::exists(fs::path(folder) / "data.sdd", error)) return folder;
    // None holds it: name the folder an install beside this program puts it in.
    return folders.size() > 1 ? folders[1] : folders.front();
}

}  // namespace tarnel::platform
