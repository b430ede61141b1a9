// Cipher choice by unpack version: 15 the RAR 1.5 stream cipher, 20 and 26 the RAR 2.0 block
// cipher, whose encryption padded the packed data to whole blocks.
#include "assets/rar/member_cipher.h"

#include "assets/rar/crypt15.h"
#include "assets/rar/crypt20.h"

namespace tarnel::rar {

namespace {

bool usesCrypt20(const Member& member) { return member.unpackVersion == 20 || member.unpackVersion == 26; }

}  // namespace

std::string cipherProblem(const Member& member) {
    const std::string quoted = "\"" + member.name + "\"";
    if (member.unpackVersion == 15) return {};
    if (usesCrypt20(member)) {
        if (member.packedSize % Crypt20::kBlockSize == 0) return {};
        return "damaged member " + quoted + ": encrypted packed size " + std::to_string(member.packedSize) +
               " is not a whole number of 16-byte blocks";
    }
    const std::string cipher = member.unpackVersion < 15 ? "the RAR 1.3 cipher"
                               : member.unpackVersion > 26 ? "the RAR 3 or later cipher"
                                                           : "an unknown cipher (version " +
                                                                 std::to_string(member.unpackVersion) + ")";
    return "member " + quoted + " is encrypted with " + cipher + ", which is not supported";
}

void decryptMember(const Member& member, std::string_view password, std::uint8_t* data, std::size_t size) {
    if (usesCrypt20(member))
        Crypt20(password).decrypt(data, size);
    else
        Crypt15(password).apply(data, size);
}

}  // namespace tarnel::rar
