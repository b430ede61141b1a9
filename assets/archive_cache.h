// The data package read once and indexed, shared by every extract until the file changes.
// tarnel-pack and the tests reach the archive layer through here as well.
#pragma once

#include "assets/archive.h"
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarnel {

struct LoadedArchive {
    std::string path;
    std::uintmax_t fileSize = 0;                  // bytes, as the file system said when read
    std::filesystem::file_time_type modified;     // as the file system said when read
    std::vector<std::uint8_t> bytes;              // the whole file
    rar::Archive archive;                         // its member index
    std::string error;                            // why the file is not a usable archive
    std::string reason;                           // the same in a few words, without the path
    rar::Extractor extractor;                     // solid state of this archive
};

// The archive at path, read from disk only when the path, size or modification time differ
// from the last call. Null, with a reason, when the file is missing, unreadable or not a RAR
// 1.5-2.x archive. The pointer stays valid until the next call.
LoadedArchive* loadArchive(const std::string& path, std::string* error);

// Extracts member number index of a loaded archive.
ExtractResult extractLoadedMember(LoadedArchive& loaded, std::size_t index, std::string_view password);

// How many times an archive file was read from disk since the process started.
std::uint64_t archiveFileReads();

}  // namespace tarnel
