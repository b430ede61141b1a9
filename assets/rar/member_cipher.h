// Encrypted members: which cipher a member's unpack version calls for, and the decryption of
// its packed data. Every member starts from its own key set-up, also inside a solid run.
#pragma once

#include "assets/rar/rar_archive.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tarnel::rar {

// Why the encrypted member's data cannot be decrypted, found before any of it is read (a
// cipher this reader lacks, packed data that is not whole cipher blocks), or empty.
std::string cipherProblem(const Member& member);

// Decrypts the member's packed bytes in place. A wrong password is not seen here: it shows
// as a decoding error or a CRC mismatch of the result.
void decryptMember(const Member& member, std::string_view password, std::uint8_t* data, std::size_t size);

}  // namespace tarnel::rar
