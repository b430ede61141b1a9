// KERNEL32 services: the performance counter, CPU times, local time, files and folders.
// The settings live in the registry (settings_store.cpp), so there is no settings file.
#include "platform/system.h"

#include <windows.h>

#include <filesystem>

namespace tarnel::platform {

namespace fs = std::filesystem;

std::uint64_t counterNow() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return static_cast<std::uint64_t>(now.QuadPart);
}

std::uint64_t counterFrequency() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<std::uint64_t>(frequency.QuadPart);
}

namespace {
// Kernel plus user time, in 100-nanosecond units.
double seconds(const FILETIME& kernel, const FILETIME& user) {
    auto ticks = [](const FILETIME& t) { return (static_cast<std::uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return static_cast<double>(ticks(kernel) + ticks(user)) * 1e-7;
}
}  // namespace

double threadCpuSeconds() {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0.0;
    return seconds(kernel, user);
}

double processCpuSeconds() {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
    return seconds(kernel, user);
}

LocalTime localTime() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return LocalTime{now.wHour, now.wMinute, now.wSecond};
}

std::string settingsFilePath() { return std::string(); }

bool writeFileAtomically(const std::string& path, const std::string& contents) {
    fs::path target(path);
    fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::error_code ignored;
    fs::create_directories(folder, ignored);
    std::string temp = (folder / ("." + target.filename().string() + ".tmp")).string();
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = contents.size() <= 0xFFFFFFFFu &&
              WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
              written == contents.size() && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (ok) ok = MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temp.c_str());
    return ok;
}

bool setWorkingDirectory(const std::string& folder) {
    return !folder.empty() && SetCurrentDirectoryA(folder.c_str());
}

std::string workingDirectory() {
    char folder[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(sizeof folder, folder);
    return length > 0 && length < sizeof folder ? std::string(folder, length) : std::string();
}

// The folder of the program itself: a .scr is installed with its data.sdd beside it.
std::string installedDataFolder() {
    char module[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return std::string();
    return fs::path(std::string(module, length)).parent_path().string();
}

std::vector<std::string> dataFolderCandidates() { return {installedDataFolder()}; }

}  // namespace tarnel::platform
