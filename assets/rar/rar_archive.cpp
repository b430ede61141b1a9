// Walks the blocks of a RAR 1.5-2.x archive and collects its file headers.
#include "assets/rar/rar_archive.h"

#include "assets/rar/rar_format.h"

#include <cstring>

namespace tarnel::rar {

bool Member::encrypted() const { return (flags & kFileEncrypted) != 0; }
bool Member::solid() const { return (flags & kFileSolid) != 0; }
bool Member::directory() const { return (flags & kFileDictionaryMask) == kFileDirectory; }
bool Member::split() const { return (flags & (kFileSplitBefore | kFileSplitAfter)) != 0; }
std::uint32_t Member::dictionaryKiB() const { return 64u << ((flags & kFileDictionaryMask) >> 5); }

namespace {

constexpr std::uint8_t kRar5Marker[8] = {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00};
constexpr std::uint8_t kRar13Marker[4] = {0x52, 0x45, 0x7E, 0x5E};

std::string at(std::size_t offset) { return " at offset " + std::to_string(offset); }

struct Block {
    std::size_t offset = 0;
    std::uint16_t crc = 0;
    std::uint8_t type = 0;
    std::uint16_t flags = 0;
    std::size_t headerSize = 0;
    std::uint64_t dataSize = 0;
};

// Reads the common part of the block at offset; fails when it does not fit in the bytes.
bool readBlock(const std::uint8_t* bytes, std::size_t size, std::size_t offset, Block& block,
               std::string& error) {
    if (size - offset < kBlockHeaderSize) {
        error = "damaged archive: truncated block header" + at(offset);
        return false;
    }
    const std::uint8_t* p = bytes + offset;
    block.offset = offset;
    block.crc = load16(p);
    block.type = p[2];
    block.flags = load16(p + 3);
    block.headerSize = load16(p + 5);
    block.dataSize = 0;
    if (block.headerSize < kBlockHeaderSize) {
        error = "damaged archive: impossible header size" + at(offset);
        return false;
    }
    if (block.headerSize > size - offset) {
        error = "damaged archive: truncated header" + at(offset);
        return false;
    }
    if ((block.flags & kLongBlock) || block.type == kFileBlock || block.type == kNewSubBlock) {
        if (block.headerSize < kBlockHeaderSize + 4) {
            error = "damaged archive: header too short for its data size" + at(offset);
            return false;
        }
        block.dataSize = load32(p + 7);
    }
    return true;
}

// Headers with an embedded comment are checked only up to the end of their own fields.
bool crcMatches(const std::uint8_t* bytes, const Block& block, std::size_t checkedSize) {
    const std::uint8_t* from = bytes + block.offset + 2;
    if (headerCrc(from, block.headerSize - 2) == block.crc) return true;
    return checkedSize < block.headerSize && headerCrc(from, checkedSize - 2) == block.crc;
}

bool readFileHeader(const std::uint8_t* bytes, std::size_t size, const Block& block, Member& member,
                    std::string& error) {
    const std::uint8_t* p = bytes + block.offset;
    if (block.headerSize < kFileHeaderFixed) {
        error = "damaged archive: file header too short" + at(block.offset);
        return false;
    }
    member.flags = block.flags;
    member.packedSize = load32(p + 7);
    member.unpackedSize = load32(p + 11);
    member.hostOs = p[15];
    member.crc = load32(p + 16);
    member.dosTime = load32(p + 20);
    member.unpackVersion = p[24];
    member.method = p[25];
    const std::size_t nameSize = load16(p + 26);
    member.attributes = load32(p + 28);
    std::size_t fieldsEnd = kFileHeaderFixed;
    if (block.flags & kFileLargeSizes) {
        if (block.headerSize < fieldsEnd + 8) {
            error = "damaged archive: file header too short" + at(block.offset);
            return false;
        }
        member.packedSize |= static_cast<std::uint64_t>(load32(p + 32)) << 32;
        member.unpackedSize |= static_cast<std::uint64_t>(load32(p + 36)) << 32;
        fieldsEnd += 8;
    }
    if (nameSize > block.headerSize - fieldsEnd) {
        error = "damaged archive: member name runs past its header" + at(block.offset);
        return false;
    }
    const char* name = reinterpret_cast<const char*>(p + fieldsEnd);
    // A Unicode name follows the plain one after a NUL; the plain one is what readers match.
    member.name.assign(name, strnlen(name, nameSize));
    fieldsEnd += nameSize;
    if (block.flags & kFileSalt) fieldsEnd += 8;
    if (fieldsEnd > block.headerSize || !crcMatches(bytes, block, fieldsEnd)) {
        error = "damaged archive: header CRC mismatch for member \"" + member.name + "\"" +
                at(block.offset);
        return false;
    }
    member.dataOffset = block.offset + block.headerSize;
    // The data size of the block header is the low half of the packed size.
    member.dataTruncated = member.packedSize > size - member.dataOffset;
    return true;
}

bool readMarkerAndMainHeader(const std::uint8_t* bytes, std::size_t size, Archive& archive,
                             std::size_t& next, std::string& error) {
    if (size >= sizeof kRar5Marker && std::memcmp(bytes, kRar5Marker, sizeof kRar5Marker) == 0) {
        error = "RAR 5 archives are not supported";
        return false;
    }
    if (size >= sizeof kRar13Marker && std::memcmp(bytes, kRar13Marker, sizeof kRar13Marker) == 0) {
        error = "RAR 1.3 archives are not supported";
        return false;
    }
    if (size < sizeof kMarker || std::memcmp(bytes, kMarker, sizeof kMarker) != 0) {
        error = "not a RAR archive";
        return false;
    }
    Block main;
    if (!readBlock(bytes, size, sizeof kMarker, main, error)) return false;
    if (main.type != kMainBlock || main.headerSize < kMainHeaderSize) {
        error = "damaged archive: no main header after the marker";
        return false;
    }
    if (!crcMatches(bytes, main, kMainHeaderSize)) {
        error = "damaged archive: main header CRC mismatch";
        return false;
    }
    if (main.flags & kMainEncryptedHeaders) {
        error = "archives with encrypted headers are not supported";
        return false;
    }
    archive.mainFlags = main.flags;
    next = main.offset + main.headerSize + main.dataSize;
    return true;
}

}  // namespace

bool readArchive(const std::uint8_t* bytes, std::size_t size, Archive& archive, std::string* error) {
    archive = Archive{};
    std::string reason;
    std::size_t offset = 0;
    if (!readMarkerAndMainHeader(bytes, size, archive, offset, reason)) {
        if (error) *error = reason;
        return false;
    }
    if (offset > size) archive.damage = "damaged archive: main header runs past the end";
    while (offset < size) {
        Block block;
        if (!readBlock(bytes, size, offset, block, archive.damage)) break;
        if (block.type == kEndBlock) break;
        if (block.type == kFileBlock) {
            Member member;
            if (!readFileHeader(bytes, size, block, member, archive.damage)) break;
            archive.members.push_back(member);
            if (member.dataTruncated) {
                archive.damage = "damaged archive: data of member \"" + member.name + "\" is truncated";
                break;
            }
        }
        const std::uint64_t blockSize = block.headerSize + block.dataSize;
        if (blockSize > size - offset) {
            archive.damage = "damaged archive: block runs past the end" + at(offset);
            break;
        }
        offset += static_cast<std::size_t>(blockSize);
    }
    return true;
}

bool memberNameMatches(std::string_view stored, std::string_view wanted) {
    if (stored.size() != wanted.size()) return false;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        auto fold = [](char c) {
            if (c == '/') return '\\';
            return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (fold(stored[i]) != fold(wanted[i])) return false;
    }
    return true;
}

long findMember(const Archive& archive, std::string_view name) {
    for (std::size_t i = 0; i < archive.members.size(); ++i)
        if (memberNameMatches(archive.members[i].name, name)) return static_cast<long>(i);
    return -1;
}

}  // namespace tarnel::rar
