// Fuzz target for the 2.0 decompressor, shaped as the 1.5 one: the first two bytes
// (little-endian) give the output size, the rest is the packed stream, decoded once fresh
// and once more as a solid member continuing the first (window, tables and predictors).
#include "assets/rar/unpack20.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const std::size_t outSize = std::size_t(data[0]) | std::size_t(data[1]) << 8;
    // An exact-size heap block, so the sanitizer sees any write past the end.
    std::vector<std::uint8_t> out(outSize);
    // One decoder for every input, as for the members of a package: the first call resets
    // it, and its 1 MiB window is not allocated again for each input.
    static tarnel::rar::Unpack20 unpacker;
    std::string error;
    unpacker.unpack(data + 2, size - 2, out.data(), out.size(), false, &error);
    unpacker.unpack(data + 2, size - 2, out.data(), out.size(), true, &error);
    return 0;
}
