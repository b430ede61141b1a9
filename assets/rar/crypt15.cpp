// RAR 1.5 cipher state and keystream.
#include "assets/rar/crypt15.h"

#include <zlib.h>

namespace tarnel::rar {

namespace {

const z_crc_t* crcTable() { return get_crc_table(); }

std::uint16_t rotateRight1(std::uint16_t value) {
    return static_cast<std::uint16_t>((value >> 1) | (value << 15));
}

}  // namespace

Crypt15::Crypt15(std::string_view password) {
    const z_crc_t* table = crcTable();
    // The key starts from the CRC register before its final inversion.
    const std::uint32_t passwordCrc =
        ~static_cast<std::uint32_t>(crc32(0L, reinterpret_cast<const Bytef*>(password.data()),
                                          static_cast<uInt>(password.size())));
    key_[0] = static_cast<std::uint16_t>(passwordCrc);
    key_[1] = static_cast<std::uint16_t>(passwordCrc >> 16);
    for (char c : password) {
        const auto p = static_cast<std::uint8_t>(c);
        key_[2] = static_cast<std::uint16_t>(key_[2] ^ p ^ table[p]);
        key_[3] = static_cast<std::uint16_t>(key_[3] + p + (table[p] >> 16));
    }
}

void Crypt15::apply(std::uint8_t* data, std::size_t size) {
    const z_crc_t* table = crcTable();
    for (std::size_t i = 0; i < size; ++i) {
        key_[0] = static_cast<std::uint16_t>(key_[0] + 0x1234);
        const std::uint32_t entry = static_cast<std::uint32_t>(table[(key_[0] & 0x1FE) >> 1]);
        key_[1] = static_cast<std::uint16_t>(key_[1] ^ entry);
        key_[2] = static_cast<std::uint16_t>(key_[2] - (entry >> 16));
        key_[0] = static_cast<std::uint16_t>(key_[0] ^ key_[2]);
        key_[3] = rotateRight1(static_cast<std::uint16_t>(rotateRight1(key_[3]) ^ key_[1]));
        key_[0] = static_cast<std::uint16_t>(key_[0] ^ key_[3]);
        data[i] ^= static_cast<std::uint8_t>(key_[0] >> 8);
    }
}

}  // namespace tarnel::rar
