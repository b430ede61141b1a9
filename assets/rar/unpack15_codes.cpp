// Tables of the fixed 1.5 prefix codes and their decoder.
#include "assets/rar/unpack15_codes.h"

namespace tarnel::rar {

namespace {
constexpr std::uint16_t kEnd = 0xffff;
}

const Unpack15Code kUnpack15LengthCode = {
    2,
    {0x8000, 0xa000, 0xc000, 0xd000, 0xe000, 0xea00, 0xee00, 0xf000, 0xf200, 0xf200, kEnd, kEnd},
    {0, 0, 0, 2, 3, 5, 7, 11, 16, 20, 24, 32, 32}};

const Unpack15Code kUnpack15LongLengthCode = {
    3,
    {0xa000, 0xc000, 0xd000, 0xe000, 0xea00, 0xee00, 0xf000, 0xf200, 0xf240, kEnd, kEnd, kEnd},
    {0, 0, 0, 0, 5, 7, 9, 13, 18, 22, 26, 34, 36}};

const std::array<Unpack15Code, 5> kUnpack15PlaceCode = {{
    {4,
     {0x8000, 0xc000, 0xe000, 0xf200, 0xf200, 0xf200, 0xf200, 0xf200, kEnd, kEnd, kEnd, kEnd},
     {0, 0, 0, 0, 0, 8, 16, 24, 33, 33, 33, 33, 33}},
    {5,
     {0x2000, 0xc000, 0xe000, 0xf000, 0xf200, 0xf200, 0xf7e0, kEnd, kEnd, kEnd, kEnd, kEnd},
     {0, 0, 0, 0, 0, 0, 4, 44, 60, 76, 80, 80, 127}},
    {5,
     {0x1000, 0x2400, 0x8000, 0xc000, 0xfa00, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd},
     {0, 0, 0, 0, 0, 0, 2, 7, 53, 117, 233, 0, 0}},
    {6,
     {0x0800, 0x2400, 0xee00, 0xfe80, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd},
     {0, 0, 0, 0, 0, 0, 0, 2, 16, 218, 251, 0, 0}},
    {8,
     {0xff00, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd, kEnd},
     {0, 0, 0, 0, 0, 0, 0, 0, 0, 255, 0, 0, 0}},
}};

unsigned decodeUnpack15Code(const Unpack15Code& code, Unpack15Bits& bits) {
    // The low four bits never decide a word: the longest word has 12 bits.
    const unsigned next = bits.peek16() & 0xfff0;
    unsigned index = 0;
    while (code.limit[index] <= next) ++index;  // ends: the last limit is above any 0x...0 value
    const unsigned length = code.firstLength + index;
    bits.skip(length);
    const unsigned below = index ? code.limit[index - 1] : 0;
    return ((next - below) >> (16 - length)) + code.base[length];
}

}  // namespace tarnel::rar
