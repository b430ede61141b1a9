// Most-significant-bit-first reader over a member's packed bytes for the 1.5 decoder.
// Peeks past the end read as zero bits so that a code near the end can be looked at;
// consuming past the end is reported by overrun() and makes the decoder give up.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnel::rar {

class Unpack15Bits {
public:
    Unpack15Bits(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next 16 bits, first bit in bit 15.
    std::uint32_t peek16() const {
        const std::size_t byte = pos_ >> 3;
        std::uint32_t window;
        if (byte + 2 < size_) {
            window = std::uint32_t(data_[byte]) << 16 | std::uint32_t(data_[byte + 1]) << 8 |
                     data_[byte + 2];
        } else {
            window = 0;
            for (std::size_t i = 0; i < 3; ++i)
                window = window << 8 | (byte + i < size_ ? data_[byte + i] : 0u);
        }
        return (window >> (8 - (pos_ & 7))) & 0xffff;
    }

    void skip(unsigned count) { pos_ += count; }

    bool overrun() const { return pos_ > size_ * 8; }

private:
    const std::uint8_t* data_;
    std::size_t size_;   // bytes
    std::size_t pos_ = 0;  // bits consumed
};

}  // namespace tarnel::rar
