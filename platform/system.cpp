// POSIX services: monotonic clock, local time, files and folders.
#include "platform/system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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
        if (n == 0) errno = EIO;
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

// mkstemp makes its file 0600 whatever the umask; open with O_EXCL and 0666 lets the umask
// decide, as for any file the user's programs create. The name is tried afresh on a clash.
int createTemporary(const fs::path& folder, const std::string& name, std::string& tempPath) {
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempPath = (folder / ("." + name + "." + std::to_string(::getpid()) + "-" +
                              std::to_string(counterNow() + static_cast<std::uint64_t>(attempt))))
                       .string();
        fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    return fd;
}

bool failWith(std::string* error, const std::string& why) {
    if (error) *error = why;
    return false;
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::string& contents, std::string* error) {
    fs::path target(path);
    fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    std::string tempPath;
    int fd = createTemporary(folder, target.filename().string(), tempPath);
    if (fd < 0) return failWith(error, std::strerror(errno));
    struct stat existing {};
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) ::fchmod(fd, existing.st_mode & 0777);
    bool ok = writeAll(fd, contents) && ::fsync(fd) == 0;
    int written = errno;
    if (::close(fd) != 0 && ok) {
        ok = false;
        written = errno;
    }
    if (ok && std::rename(tempPath.c_str(), path.c_str()) != 0) {
        ok = false;
        written = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        return failWith(error, std::strerror(written));
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

std::string installedDataFolder() {
    std::error_code error;
    fs::path exeFolder = executableFolder();
    if (!exeFolder.empty() && fs::exists(exeFolder / "data.sdd", error)) return exeFolder.string();
    if (fs::exists(fs::path(TARNEL_INSTALL_DATADIR) / "data.sdd", error)) return TARNEL_INSTALL_DATADIR;
    return exeFolder.empty() ? std::string(TARNEL_INSTALL_DATADIR) : exeFolder.string();
}

}  // namespace tarnel::platform
