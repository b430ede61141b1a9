// Decompressor for members packed by the 1.5 format: LZ matches in a 64 KiB window mixed
// with literals, both coded through tables that adapt to what has been seen. Works on the
// member's packed bytes only; the container reader finds them and checks the CRC.
#pragma once

#include "assets/rar/unpack15_model.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::rar {

class Unpack15 {
public:
    // Decodes one member's packed bytes into exactly outSize bytes. With solid true the
    // window and the adaptive state continue from the member this object decoded before.
    // Returns false and a reason on damaged or truncated data.
    bool unpack(const std::uint8_t* packed, std::size_t packedSize, std::uint8_t* out,
                std::size_t outSize, bool solid, std::string* error);

private:
    Unpack15Model model_;                                     // survives between solid members
    std::vector<std::uint8_t> window_ = std::vector<std::uint8_t>(kUnpack15WindowSize);
    std::uint32_t windowPos_ = 0;                             // next byte to write in window_
};

}  // namespace tarnel::rar
