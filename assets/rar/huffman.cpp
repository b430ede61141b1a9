// Canonical code tables: codes of each length follow those of the length before, symbols of
// one length in increasing order. Short codes resolve through one table lookup.
#include "assets/rar/huffman.h"

namespace tarnel::rar {

bool HuffmanTable::build(const std::uint8_t* lengths, std::size_t count) {
    unsigned perLength[kMaxLength + 1] = {};
    for (std::size_t i = 0; i < count; ++i) {
        if (lengths[i] > kMaxLength) return false;
        ++perLength[lengths[i]];
    }
    std::uint32_t code = 0;
    std::uint16_t index = 0;
    for (unsigned length = 1; length <= kMaxLength; ++length) {
        start_[length] = code << (16 - length);
        firstIndex_[length] = index;
        code += perLength[length];
        if (code > (1u << length)) return false;  // more codes than the length can hold
        limit_[length] = code << (16 - length);
        index = static_cast<std::uint16_t>(index + perLength[length]);
        code <<= 1;
    }
    symbols_.assign(index, 0);
    std::uint16_t next[kMaxLength + 1];
    for (unsigned length = 1; length <= kMaxLength; ++length) next[length] = firstIndex_[length];
    for (std::size_t symbol = 0; symbol < count; ++symbol)
        if (lengths[symbol] != 0) symbols_[next[lengths[symbol]]++] = static_cast<std::uint16_t>(symbol);

    for (auto& entry : quick_) entry = 0;
    for (unsigned length = 1; length <= kQuickBits; ++length) {
        for (unsigned i = firstIndex_[length]; i < static_cast<unsigned>(firstIndex_[length]) + perLength[length]; ++i) {
            const std::uint32_t first = (start_[length] >> (16 - kQuickBits)) +
                                        ((i - firstIndex_[length]) << (kQuickBits - length));
            const std::uint16_t entry = static_cast<std::uint16_t>((symbols_[i] << 4) | length);
            for (std::uint32_t fill = 0; fill < (1u << (kQuickBits - length)); ++fill) quick_[first + fill] = entry;
        }
    }
    return true;
}

int HuffmanTable::decode(BitReader& bits) const {
    const std::uint32_t peeked = bits.peek16();
    const std::uint16_t entry = quick_[peeked >> (16 - kQuickBits)];
    if (entry != 0) {
        bits.skip(entry & 15);
        return entry >> 4;
    }
    for (unsigned length = kQuickBits + 1; length <= kMaxLength; ++length) {
        if (peeked < limit_[length]) {
            bits.skip(length);
            return symbols_[firstIndex_[length] + ((peeked - start_[length]) >> (16 - length))];
        }
    }
    return -1;
}

}  // namespace tarnel::rar
