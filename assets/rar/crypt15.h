// The RAR 1.5 cipher: a byte stream cipher whose 64-bit state starts from the password and
// its CRC and steps through the CRC-32 table. Encrypting and decrypting are the same XOR.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarnel::rar {

class Crypt15 {
public:
    explicit Crypt15(std::string_view password);
    void apply(std::uint8_t* data, std::size_t size);

private:
    std::uint16_t key_[4] = {};
};

}  // namespace tarnel::rar
