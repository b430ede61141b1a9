// Member extraction: size checks before allocation, decryption, decoding, CRC check.
#include "assets/rar/rar_extractor.h"

#include "assets/rar/member_cipher.h"
#include "assets/rar/rar_format.h"
#include "assets/rar/unpack15.h"
#include "assets/rar/unpack20.h"

#include <algorithm>
#include <new>

namespace tarnel::rar {

namespace {

// Compressed data cannot expand without bound: one repeat code of a bit or two stands for at
// most a few hundred bytes, so a member unpacking to far more than this is damaged.
constexpr std::uint64_t kMaxExpansion = 2400;
constexpr std::uint64_t kExpansionSlack = 4096;

bool isCompressed(const Member& member) { return member.method != kMethodStore; }

std::string quoted(const Member& member) { return "\"" + member.name + "\""; }

// A wrong password cannot be told from damage: both show only once the data is decoded.
std::string wrongPassword(const Member& member, const std::string& detail) {
    return "member " + quoted(member) + ": wrong password or damaged member (" + detail + ")";
}

// Copies in pieces that stay in the cache while their CRC is taken: one pass over memory.
std::uint32_t copyWithCrc(const std::uint8_t* from, std::size_t size, std::vector<std::uint8_t>& out) {
    constexpr std::size_t kPiece = 128u << 10;
    out.clear();
    out.reserve(size);
    std::uint32_t crc = 0;
    for (std::size_t done = 0; done < size;) {
        const std::size_t piece = std::min(kPiece, size - done);
        out.insert(out.end(), from + done, from + done + piece);
        crc = dataCrc(out.data() + done, piece, crc);
        done += piece;
    }
    return crc;
}

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
    } else if (member.unpackedSize > kExpansionSlack &&
               (member.unpackedSize - kExpansionSlack) / kMaxExpansion > member.packedSize) {
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
        if (std::string problem = cipherProblem(member); !problem.empty()) return problem;
        if (password.empty()) return wrongPassword(member, "it is encrypted and no password was given");
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
        // Out of memory for one member (a huge declared size) fails that member only: the
        // saver goes on with less.
        try {
            ok = decode(bytes, archive, index, password, out, reason);
        } catch (const std::bad_alloc&) {
            solidPosition_ = -1;
            reason = "member " + quoted(archive.members[index]) + ": not enough memory to extract it";
        }
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
    const auto unpackedSize = static_cast<std::size_t>(member.unpackedSize);
    const auto packedSize = static_cast<std::size_t>(member.packedSize);
    std::vector<std::uint8_t> decrypted;
    if (member.encrypted()) {
        decrypted.assign(packed, packed + packedSize);
        decryptMember(member, password, decrypted.data(), decrypted.size());
        packed = decrypted.data();
    }
    std::uint32_t crc;
    if (!isCompressed(member)) {
        crc = copyWithCrc(packed, unpackedSize, out);
    } else {
        out.resize(unpackedSize);
        bool solid = false;
        if (member.solid() && !catchUpSolid(bytes, archive, index, password, solid, error)) return false;
        solidPosition_ = -1;
        if (!unpack(member, packed, packedSize, solid, out, error)) {
            error = member.encrypted() ? wrongPassword(member, error) : "member " + quoted(member) + ": " + error;
            return false;
        }
        solidPosition_ = static_cast<long>(index);
        crc = dataCrc(out.data(), out.size());
    }
    if (crc != member.crc) {
        error = member.encrypted() ? wrongPassword(member, "CRC mismatch")
                                   : "member " + quoted(member) + ": CRC mismatch, the data is damaged";
        return false;
    }
    return true;
}

bool Extractor::unpack(const Member& member, const std::uint8_t* packed, std::size_t packedSize,
                       bool solid, std::vector<std::uint8_t>& out, std::string& error) {
    if (member.unpackVersion == 15) {
        if (!unpack15_) unpack15_ = std::make_unique<Unpack15>();
        return unpack15_->unpack(packed, packedSize, out.data(), out.size(), solid, &error);
    }
    if (!unpack20_) unpack20_ = std::make_unique<Unpack20>();
    return unpack20_->unpack(packed, packedSize, out.data(), out.size(), solid, &error);
}

// Brings the decoder state up to the compressed member before index, decoding the members of
// the solid run that were not decoded yet. continued: there is such a member to continue from.
bool Extractor::catchUpSolid(const std::uint8_t* bytes, const Archive& archive, std::size_t index,
                             std::string_view password, bool& continued, std::string& error) {
    auto continues = [&](std::size_t i) {
        const Member& m = archive.members[i];
        return !m.directory() && isCompressed(m);
    };
    long previous = static_cast<long>(index) - 1;
    while (previous >= 0 && !continues(static_cast<std::size_t>(previous))) --previous;
    continued = previous >= 0;
    if (previous < 0 || previous == solidPosition_) return true;
    // Walk back to the start of the run, or to the member whose state the decoders hold. A
    // state from after the wanted member is of no use.
    const long holder = solidPosition_ < previous ? solidPosition_ : -1;
    long start = previous;
    while (start > holder && archive.members[static_cast<std::size_t>(start)].solid()) {
        long before = start - 1;
        while (before >= 0 && !continues(static_cast<std::size_t>(before))) --before;
        if (before < 0) break;
        start = before;
    }
    if (start == holder) ++start;
    for (long i = start; i <= previous; ++i) {
        if (!continues(static_cast<std::size_t>(i))) continue;
        std::vector<std::uint8_t> discarded;
        std::string reason;
        if (!decode(bytes, archive, static_cast<std::size_t>(i), password, discarded, reason)) {
            error = "member " + quoted(archive.members[index]) + " continues a solid run that fails: " + reason;
            solidPosition_ = -1;
            return false;
        }
    }
    return true;
}

}  // namespace tarnel::rar
