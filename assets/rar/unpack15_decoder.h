// One member's decoding pass for the 1.5 format: reads flags, literals and matches from
// the packed bits into the shared window and the caller's output.
#pragma once

#include "assets/rar/unpack15_bits.h"
#include "assets/rar/unpack15_model.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::rar {

class Unpack15Decoder {
public:
    Unpack15Decoder(Unpack15Model& model, std::vector<std::uint8_t>& window, std::uint32_t& windowPos,
                    Unpack15Bits bits, std::uint8_t* out, std::size_t outSize)
        : model_(model), window_(window), windowPos_(windowPos), bits_(bits), out_(out), outSize_(outSize) {}

    // Fills the output; false with a reason when the packed bits run out or are damaged.
    bool run(std::string* error);

private:
    bool readFlagByte();
    bool nextFlag();
    void decodeLiteral();
    void decodeShortMatch();
    void decodeLongMatch();
    void rememberMatch(std::uint32_t distance, std::uint32_t length);
    void copyMatch(std::uint32_t distance, std::uint32_t length);
    void put(std::uint8_t byte);

    Unpack15Model& model_;
    std::vector<std::uint8_t>& window_;
    std::uint32_t& windowPos_;
    Unpack15Bits bits_;
    std::uint8_t* out_;
    std::size_t outSize_;
    std::size_t produced_ = 0;  // bytes decoded, including any that overshoot outSize_
    bool damaged_ = false;
};

}  // namespace tarnel::rar
