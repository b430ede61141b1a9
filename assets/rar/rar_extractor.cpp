// Member extraction: size checks before allocation, decryption, decoding, CRC check.
#include "assets/rar/rar_extractor.h"

#include "assets/rar/rar_format.h"
#include "assets/rar/unpack20.h"

#include <algorithm>

namespace tarnel::rar {

namespace {

// Compressed data cannot expand without bound: one repeat code of a bit or two stands for at
// most a few hundred bytes, so a member unpacking to far more than this is damaged.
constexpr std::uint64_t kMaxExpansion = 2400;
constexpr std::uint64_t kExpansionSlack = 4096;

bool isCompressed(const Member& member) { return member.method != kMethodStore; }

std::string quoted(const Member& member) { return "\"" + member.name + "\""; }

std::string checkSizes(const Member& member) {
    if (member.unpackedSize > kMaxUnpackedSize)
        return "member " + quoted(member) + " is too large (" + std::to_string(member.unpackedSize) +
               " bytes)";
    if (!isCompressed(member)) {
        // Encrypted stored data is padded up to the cipher's 16-byte blocks.
        const std::uint64_t padding = member.encrypted() ? 15 : 0;
        if (member.packedSize < member.unpackedSize || member.packedSize > member.unpackedSize + padding)
            return "damaged archive: stored member " + quoted(member) + " has packed size " +
                   std::to_string(member.packedSize) + " for " + std::to_string(member.unpackedSize) +
                   " bytes";
    } else if (member.unpackedSize > member.packedSize * kMaxExpansion + kExpansionSlack) {
        return "damaged archive: member " + quoted(member) + " claims " +
               std::to_string(member.unpackedSize) + " bytes from " +
               std::to_string(member.packedSize) + " packed bytes";
    }
    return {};
}

}  // namespace

std::string checkExtractable(const Member& member, std::string_view password) {
    if (member.directory()) return "member " + quoted(member) + " is a folder";
    if (member.split()) return "member " + quoted(member) + " is split across volumes, which is not supported";
    if (member.dataTruncated) return "damaged archive: data of member " + quoted(member) + " is truncated";
    if (member.method < kMethodStore || member.method > kMethodBest)
        return "member " + quoted(member) + " uses unknown method " + std::to_string(member.method);
    if (member.encrypted()) {
        if (member.unpackVersion > 26 || member.unpackVersion < 13)
            return "member " + quoted(member) + " uses an unsupported cipher (version " +
                   std::to_string(member.unpackVersion) + ")";
        if (password.empty()) return "member " + quoted(member) + " is encrypted and no password was given";
    }
    if (isCompressed(member)) {
        const unsigned version = member.unpackVersion;
        if (version != 15 && version != 20 && version != 26)
            return "member " + quoted(member) + " needs unsupported compression version " +
                   std::to_string(version);
        if (member.dictionaryKiB() > 1024)
            return "damaged archive: member " + quoted(member) + " has an impossible dictionary size";
    }
    return checkSizes(member);
}

Extractor::Extractor() = default;
Extractor::~Extractor() = default;

void Extractor::reset() { solidPosition_ = -1; }

bool Extractor::extract(const std::uint8_t* bytes, std::size_t size, const Archive& archive,
                        std::size_t index, std::string_view password, std::vector<std::uint8_t>& out,
                        std::string* error) {
    std::string reason;
    out.clear();
    bool ok = false;
    if (index >= archive.members.size()) {
        reason = "no member number " + std::to_string(index);
    } else if (archive.members[index].dataOffset > size ||
               archive.members[index].packedSize > size - archive.members[index].dataOffset) {
        reason = "damaged archive: data of member " + quoted(archive.members[index]) + " is truncated";
    } else {
        ok = decode(bytes, archive, index, password, out, reason);
    }
    if (!ok) {
        out.clear();
        out.shrink_to_fit();
        if (error) *error = reason;
    }
    return ok;
}

bool Extractor::decode(const std::uint8_t* bytes, const Archive& archive, std::size_t index,
                       std::string_view password, std::vector<std::uint8_t>& out, std::string& error) {
    const Member& member = archive.members[index];
    error = checkExtractable(member, password);
    if (!error.empty()) return false;
    const std::uint8_t* packed = bytes + member.dataOffset;
    out.resize(static_cast<std::size_t>(member.unpackedSize));
    if (!isCompressed(member) && !member.encrypted()) {
        std::copy(packed, packed + out.size(), out.begin());
    } else if (member.encrypted()) {
        error = "member " + quoted(member) + ": encryption is not supported yet";
        return false;
    } else {
        error = member.unpackVersion == 15 ? "RAR 1.5 compression is not supported yet"
                                           : "RAR 2.0 compression is not supported yet";
        return false;
    }
    if (dataCrc(out.data(), out.size()) != member.crc) {
        error = "member " + quoted(member) + ": CRC mismatch, the data is damaged";
        return false;
    }
    return true;
}

}  // namespace tarnel::rar
