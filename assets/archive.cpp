// The package record and the only code that opens the package file. The last archive read
// stays in memory with its index, because loading the scene extracts hundreds of members.
#include "assets/archive.h"

#include "assets/archive_cache.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <system_error>

namespace tarnel {

namespace {

constexpr std::uintmax_t kMaxArchiveSize = 1ull << 31;  // bytes

// The one archive cache of the process: the last archive file read (single-threaded use).
struct ArchiveCache {
    std::unique_ptr<LoadedArchive> loaded;
    std::uint64_t reads = 0;
};

ArchiveCache& archiveCache() {
    static ArchiveCache cache;
    return cache;
}

// The streams keep no reason of their own; the system call under them leaves it in errno.
std::string reasonOfLastCall() {
    return errno != 0 ? std::strerror(errno) : "the file ended before its size";
}

std::unique_ptr<LoadedArchive> readArchiveFile(const std::string& path, std::uintmax_t size,
                                               std::filesystem::file_time_type modified) {
    auto loaded = std::make_unique<LoadedArchive>();
    loaded->path = path;
    loaded->fileSize = size;
    loaded->modified = modified;
    ++archiveCache().reads;
    if (size > kMaxArchiveSize) {
        loaded->reason = "too large";
        loaded->error = "archive \"" + path + "\" is too large";
        return loaded;
    }
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        loaded->reason = reasonOfLastCall();
        loaded->error = "cannot open archive \"" + path + "\": " + loaded->reason;
        return loaded;
    }
    try {
        loaded->bytes.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        loaded->reason = "not enough memory";
        loaded->error = "not enough memory to read archive \"" + path + "\"";
        return loaded;
    }
    errno = 0;
    if (!in.read(reinterpret_cast<char*>(loaded->bytes.data()), static_cast<std::streamsize>(size))) {
        loaded->reason = reasonOfLastCall();
        loaded->error = "cannot read archive \"" + path + "\": " + loaded->reason;
        loaded->bytes.clear();
        return loaded;
    }
    if (!rar::readArchive(loaded->bytes.data(), loaded->bytes.size(), loaded->archive, &loaded->reason))
        loaded->error = "archive \"" + path + "\": " + loaded->reason;
    return loaded;
}

// As loadArchive, with the bare reason (no path) beside the full message.
LoadedArchive* openArchive(const std::string& path, std::string* error, std::string* reason) {
    std::error_code code;
    std::uintmax_t size = 0;
    // A folder opens as a stream on Linux and fails only at the first read: name it as what it is.
    if (std::filesystem::is_directory(path, code))
        code = std::make_error_code(std::errc::is_a_directory);
    else
        size = std::filesystem::file_size(path, code);
    std::filesystem::file_time_type modified;
    if (!code) modified = std::filesystem::last_write_time(path, code);
    ArchiveCache& cache = archiveCache();
    if (code) {
        cache.loaded.reset();
        if (error) *error = "cannot open archive \"" + path + "\": " + code.message();
        if (reason) *reason = code.message();
        return nullptr;
    }
    if (!cache.loaded || cache.loaded->path != path || cache.loaded->fileSize != size ||
        cache.loaded->modified != modified)
        cache.loaded = readArchiveFile(path, size, modified);
    if (!cache.loaded->error.empty()) {
        if (error) *error = cache.loaded->error;
        if (reason) *reason = cache.loaded->reason;
        return nullptr;
    }
    return cache.loaded.get();
}

}  // namespace

PackageSource& packageSource() {
    static PackageSource source;
    return source;
}

std::uint64_t archiveFileReads() { return archiveCache().reads; }

LoadedArchive* loadArchive(const std::string& path, std::string* error) { return openArchive(path, error, nullptr); }

std::string packageProblem(const std::string& archivePath) {
    std::string reason;
    if (openArchive(archivePath, nullptr, &reason)) return std::string();
    return reason.empty() ? "not a usable archive" : reason;
}

ExtractResult extractLoadedMember(LoadedArchive& loaded, std::size_t index, std::string_view password) {
    ExtractResult result;
    if (!loaded.extractor.extract(loaded.bytes.data(), loaded.bytes.size(), loaded.archive, index,
                                  password, result.data, &result.error) &&
        result.error.empty())
        result.error = "extraction failed";
    return result;
}

ExtractResult extractArchiveMember(std::string_view memberName, const std::string& archivePath,
                                   std::string_view password) {
    ExtractResult result;
    LoadedArchive* loaded = loadArchive(archivePath, &result.error);
    if (!loaded) {
        result.packageUnusable = true;
        return result;
    }
    const long index = rar::findMember(loaded->archive, memberName);
    if (index < 0) {
        result.error = "no member \"" + std::string(memberName) + "\" in archive \"" + archivePath + "\"";
        if (!loaded->archive.damage.empty()) result.error += " (" + loaded->archive.damage + ")";
        return result;
    }
    return extractLoadedMember(*loaded, static_cast<std::size_t>(index), password);
}

}  // namespace tarnel
