// The RAR 2.0 cipher: 16-byte blocks through 32 rounds of four key words and a substitution
// table that the password shuffles. After every block the keys take in its ciphertext, so a
// member is decrypted from its start, block after block, under a fresh state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarnel::rar {

class Crypt20 {
public:
    static constexpr std::size_t kBlockSize = 16;     // bytes
    static constexpr std::size_t kPasswordLimit = 127;  // bytes of the password that count

    // The key set-up: thousands of table shuffles, so one per member, never one per block.
    explicit Crypt20(std::string_view password);

    // size is a whole number of blocks; a partial block at the end is left as it is.
    void encrypt(std::uint8_t* data, std::size_t size);
    void decrypt(std::uint8_t* data, std::size_t size);

private:
    void encryptBlock(std::uint8_t* block);
    void decryptBlock(std::uint8_t* block);
    void mixBlock(std::uint8_t* block, bool decrypting) const;
    void takeIn(const std::uint8_t* cipherBlock);
    std::uint32_t substitute(std::uint32_t word) const;

    std::uint32_t key_[4];
    std::uint8_t table_[256];
};

}  // namespace tarnel::rar
