// Finds a named member's packed bytes in a 1.5-2.x archive by walking its block headers,
// for tests and benchmarks of the decompressors until they can use the container reader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace tarnel::test {

inline std::vector<std::uint8_t> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct PackedMember {
    bool found = false;
    std::vector<std::uint8_t> packed;
    std::uint32_t unpackedSize = 0;
    std::uint32_t crc = 0;
    std::uint8_t version = 0;
};

inline std::uint32_t littleEndian(const std::vector<std::uint8_t>& b, std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = value << 8 | b[at + i];
    return value;
}

// Blocks: CRC(2) TYPE(1) FLAGS(2) SIZE(2) [ADD_SIZE(4) when FLAGS & 0x8000]; a file block
// (type 0x74) keeps its packed size in ADD_SIZE and its name at 32 (40 with 64-bit sizes).
inline PackedMember findPackedMember(const std::string& archivePath, const std::string& name) {
    const std::vector<std::uint8_t> bytes = readWholeFile(archivePath);
    std::size_t at = 7;
    while (at + 7 <= bytes.size()) {
        const std::uint32_t flags = littleEndian(bytes, at + 3, 2);
        const std::uint32_t headSize = littleEndian(bytes, at + 5, 2);
        const std::uint32_t addSize = (flags & 0x8000) && at + 11 <= bytes.size() ? littleEndian(bytes, at + 7, 4) : 0;
        if (headSize < 7) break;
        if (bytes[at + 2] == 0x74 && at + 32 <= bytes.size()) {
            const std::uint32_t nameSize = littleEndian(bytes, at + 26, 2);
            const std::size_t nameAt = at + 32 + ((flags & 0x100) ? 8 : 0);
            if (nameAt + nameSize <= bytes.size() &&
                std::string(bytes.begin() + nameAt, bytes.begin() + nameAt + nameSize) == name &&
                at + headSize + addSize <= bytes.size()) {
                PackedMember member;
                member.found = true;
                member.packed.assign(bytes.begin() + at + headSize, bytes.begin() + at + headSize + addSize);
                member.unpackedSize = littleEndian(bytes, at + 11, 4);
                member.crc = littleEndian(bytes, at + 16, 4);
                member.version = bytes[at + 24];
                return member;
            }
        }
        at += headSize + addSize;
    }
    return {};
}

}  // namespace tarnel::test
