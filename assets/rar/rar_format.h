// Block types, flags and little-endian field access of the RAR 1.5-2.x archive layout.
// Shared by the reader and the writer so both agree on every number.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnel::rar {

constexpr std::uint8_t kMarker[7] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00};
constexpr std::size_t kBlockHeaderSize = 7;    // crc16, type, flags16, size16
constexpr std::size_t kMainHeaderSize = 13;    // block header + 6 reserved bytes
constexpr std::size_t kFileHeaderFixed = 32;   // up to and including the attributes

enum BlockType : std::uint8_t {
    kMainBlock = 0x73,
    kFileBlock = 0x74,
    kCommentBlock = 0x75,
    kNewSubBlock = 0x7A,
    kEndBlock = 0x7B,
};

// Main header flags.
constexpr std::uint16_t kMainVolume = 0x0001;
constexpr std::uint16_t kMainComment = 0x0002;
constexpr std::uint16_t kMainSolid = 0x0008;
constexpr std::uint16_t kMainEncryptedHeaders = 0x0080;

// Block and file header flags.
constexpr std::uint16_t kLongBlock = 0x8000;  // a 32-bit data size follows the header size
constexpr std::uint16_t kFileSplitBefore = 0x0001;
constexpr std::uint16_t kFileSplitAfter = 0x0002;
constexpr std::uint16_t kFileEncrypted = 0x0004;
constexpr std::uint16_t kFileComment = 0x0008;
constexpr std::uint16_t kFileSolid = 0x0010;
constexpr std::uint16_t kFileDictionaryMask = 0x00E0;
constexpr std::uint16_t kFileDirectory = 0x00E0;  // all dictionary bits set
constexpr std::uint16_t kFileLargeSizes = 0x0100;
constexpr std::uint16_t kFileUnicodeName = 0x0200;
constexpr std::uint16_t kFileSalt = 0x0400;

constexpr std::uint8_t kMethodStore = 0x30;
constexpr std::uint8_t kMethodBest = 0x35;

constexpr std::uint8_t kHostMsDos = 0;
constexpr std::uint8_t kHostWin32 = 2;

inline std::uint16_t load16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::uint32_t load32(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
           (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}
inline void store16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void store32(std::uint8_t* p, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Header checksum: the low 16 bits of the CRC-32 of the header after its own CRC field.
std::uint16_t headerCrc(const std::uint8_t* from, std::size_t count);
// CRC-32 of data; pass the CRC of the bytes before to continue over a further piece.
std::uint32_t dataCrc(const std::uint8_t* data, std::size_t count, std::uint32_t before = 0);

}  // namespace tarnel::rar
