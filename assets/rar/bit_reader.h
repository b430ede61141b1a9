// MSB-first bit reader over packed data. Bits past the end read as zeros; the decoders check
// overrun() so damaged or truncated data fails instead of decoding padding.
#pragma once

#include <cstddef>
#include <cstdint>

namespace tarnel::rar {

class BitReader {
public:
    BitReader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    // The next 16 bits, the first one in the top bit.
    std::uint32_t peek16() const {
        const std::size_t byte = position_ >> 3;
        std::uint32_t window;
        if (byte + 3 <= size_) {
            window = (static_cast<std::uint32_t>(data_[byte]) << 16) |
                     (static_cast<std::uint32_t>(data_[byte + 1]) << 8) | data_[byte + 2];
        } else {
            window = 0;
            for (std::size_t i = 0; i < 3; ++i)
                window = (window << 8) | (byte + i < size_ ? data_[byte + i] : 0u);
        }
        return (window >> (8 - (position_ & 7))) & 0xFFFF;
    }
    void skip(unsigned count) { position_ += count; }
    std::uint32_t read(unsigned count) {
        const std::uint32_t value = peek16() >> (16 - count);
        skip(count);
        return value;
    }
    // True once more bits were consumed than the data holds.
    bool overrun() const { return position_ > size_ * 8; }
    // Bytes from the one that holds the next bit to the end.
    std::size_t bytesLeft() const {
        const std::size_t current = position_ >> 3;
        return current < size_ ? size_ - current : 0;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;  // in bits
};

}  // namespace tarnel::rar
