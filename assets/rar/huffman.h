// Canonical prefix codes of the RAR 2.0 format: built from code lengths, read MSB first.
#pragma once

#include "assets/rar/bit_reader.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnel::rar {

class HuffmanTable {
public:
    static constexpr unsigned kMaxLength = 15;

    // lengths: one code length (0 = unused, 1..15) per symbol. Fails on an over-full code.
    bool build(const std::uint8_t* lengths, std::size_t count);
    // The next symbol, or -1 when the bits form no code of the table.
    int decode(BitReader& bits) const;

private:
    static constexpr unsigned kQuickBits = 10;

    std::uint16_t quick_[1u << kQuickBits] = {};   // symbol << 4 | length; 0: look further
    std::uint32_t limit_[kMaxLength + 1] = {};     // codes of length n are below limit_[n] (16-bit aligned)
    std::uint32_t start_[kMaxLength + 1] = {};     // first code of length n (16-bit aligned)
    std::uint16_t firstIndex_[kMaxLength + 1] = {};
    std::vector<std::uint16_t> symbols_;           // by length, then symbol
};

}  // namespace tarnel::rar
