// The adaptive state of the 1.5 decoder: symbol lists ranked by use, running averages that
// pick among the fixed codes, recent match distances. Solid members continue it, so it
// lives in the Unpack15 object between calls.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace tarnel::rar {

constexpr std::size_t kUnpack15WindowSize = 0x10000;  // bytes; every distance fits in 16 bits

// 256 entries, each a symbol (high byte) and its use count (low byte), kept sorted by
// falling count: a used entry swaps to the front of the group sharing its count.
class RankedSymbols {
public:
    // Symbol i at place i, every count 0.
    void resetInOrder();
    // Symbol i at place i, counts 0, then regrouped as after heavy use.
    void resetRegrouped();
    // Symbol at place, low byte 0, counts 0 (placed by the caller's layout).
    void setEntry(unsigned place, std::uint8_t symbol) { entry_[place] = std::uint16_t(symbol << 8); }
    void clearGroups() { groupStart_.fill(0); }

    // Counts one use of the entry at place (0..255) and returns its symbol. When the count
    // would pass countLimit, all counts are first flattened to eight groups of 32.
    std::uint8_t use(unsigned place, unsigned countLimit);

private:
    void regroup();

    std::array<std::uint16_t, 256> entry_{};
    std::array<std::uint16_t, 256> groupStart_{};  // first place holding each count
};

class Unpack15Model {
public:
    Unpack15Model() { reset(); }

    // State at the start of a non-solid member.
    void reset();
    // State every member starts with, solid or not.
    void beginMember();

    RankedSymbols literals;       // byte values
    RankedSymbols longPlaces;     // high bits of long-match distances
    RankedSymbols flagBytes;      // bytes that choose literal, short or long for 8 steps
    std::array<std::uint16_t, 256> shortDistances{};  // moved one step forward on each use

    unsigned literalAverage = 0;      // picks the literal place code
    unsigned longPlaceAverage = 0;    // picks the long-distance place code
    unsigned shortLengthAverage = 0;  // picks the short-match length code
    unsigned longLengthAverage = 0;   // picks the long-match length code
    unsigned runAverage = 0;          // tracks long matches of minimal length
    unsigned literalWeight = 0;       // grows with literals; literal vs long flag meaning
    unsigned matchWeight = 0;         // grows with long matches
    unsigned farDistance = 0;         // matches this far or farther are one byte longer
    unsigned literalRun = 0;          // literals since the last match
    unsigned shortCodeVariant = 0;    // 0 or 1: toggles the word lengths of two short codes

    std::array<std::uint32_t, 4> oldDistances{};
    unsigned oldDistanceNext = 0;  // where the next distance is stored
    std::uint32_t lastDistance = 0;
    std::uint32_t lastLength = 0;

    // Per member.
    std::uint32_t flagBits = 0;  // current flag byte, next flag in bit 7
    int flagsLeft = 0;           // flags left in flagBits after the next one
    bool literalMode = false;    // a run of literals coded without flags
    unsigned repeatCount = 0;    // short "repeat last match" codes in a row
};

}  // namespace tarnel::rar
