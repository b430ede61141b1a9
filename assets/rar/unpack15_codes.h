// The fixed prefix codes of the 1.5 format. Each code is canonical: a run of code lengths
// starting at firstLength, with the 16-bit upper limit of every length and the first
// value of every length, so a value is decoded by comparing the next 16 bits to limits.
#pragma once

#include "assets/rar/unpack15_bits.h"

#include <array>
#include <cstdint>

namespace tarnel::rar {

struct Unpack15Code {
    unsigned firstLength;                 // bits of the shortest code word
    std::array<std::uint16_t, 12> limit;  // upper bound (exclusive) of each length, 0xffff last
    std::array<std::uint16_t, 13> base;   // first value coded with a word of this many bits
};

// Match lengths: one table for ordinary text-like data, one for long runs.
extern const Unpack15Code kUnpack15LengthCode;
extern const Unpack15Code kUnpack15LongLengthCode;
// Places in the adaptive lists, from flattest (0) to steepest (4) distribution.
extern const std::array<Unpack15Code, 5> kUnpack15PlaceCode;

// Reads one value (0..256) of code from bits.
unsigned decodeUnpack15Code(const Unpack15Code& code, Unpack15Bits& bits);

}  // namespace tarnel::rar
