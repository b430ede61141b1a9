// Fuzz target for the 1.5 decompressor. The first two bytes (little-endian) give the output
// size, so output is bounded by 64 KiB; the rest is the packed stream, decoded once fresh
// and once more as a solid member continuing the first.
#include "assets/rar/unpack15.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t outSize = std::size_t(data[0]) | std::size_t(data[1]) << 8;
    // An exact-size heap block, so the sanitizer sees any write past the end.
    std::vector<std::uint8_t> out(outSize);
    tarnel::rar::Unpack15 unpacker;
    std::string error;
    unpacker.unpack(data + 2, size - 2, out.data(), out.size(), false, &error);
    unpacker.unpack(data + 2, size - 2, out.data(), out.size(), true, &error);
    return 0;
}
