// The member index of a RAR 1.5-2.x archive, read from its bytes.
// Headers are checked against their CRC; blocks the reader does not need are skipped by size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnel::rar {

struct Member {
    std::string name;                  // as stored, "\" between folders
    std::uint64_t packedSize = 0;      // bytes of packed data after the header
    std::uint64_t unpackedSize = 0;    // bytes once extracted
    std::uint32_t crc = 0;             // CRC-32 of the extracted bytes
    std::uint32_t dosTime = 0;         // modification time, DOS date and time
    std::uint32_t attributes = 0;
    std::uint16_t flags = 0;
    std::uint8_t hostOs = 0;
    std::uint8_t unpackVersion = 0;    // 15, 20, 26...: the decoder needed
    std::uint8_t method = 0;           // 0x30 stored .. 0x35 best
    std::size_t dataOffset = 0;        // where the packed data starts in the archive bytes
    bool dataTruncated = false;        // the archive ends inside this member's data

    bool encrypted() const;
    bool solid() const;
    bool directory() const;
    bool split() const;
    std::uint32_t dictionaryKiB() const;
};

struct Archive {
    std::uint16_t mainFlags = 0;
    std::vector<Member> members;       // in archive order
    std::string damage;                // why reading stopped early; empty when the walk ended cleanly
};

// Reads the marker, main header and every file header. Returns false (with a reason) when the
// bytes are not a RAR 1.5-2.x archive or the main header is damaged. Damage after the main
// header keeps the members read so far and is described in Archive::damage.
bool readArchive(const std::uint8_t* bytes, std::size_t size, Archive& archive, std::string* error);

// Member names compare without regard to ASCII letter case, with "\" and "/" alike.
bool memberNameMatches(std::string_view stored, std::string_view wanted);
// Index of the first member whose name matches, or -1.
long findMember(const Archive& archive, std::string_view name);

}  // namespace tarnel::rar
