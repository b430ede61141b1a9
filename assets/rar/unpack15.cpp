// Entry point of the 1.5 decompressor: resets or continues the state, then runs one pass.
#include "assets/rar/unpack15.h"

#include "assets/rar/unpack15_decoder.h"

#include <algorithm>

namespace tarnel::rar {

bool Unpack15::unpack(const std::uint8_t* packed, std::size_t packedSize, std::uint8_t* out,
                      std::size_t outSize, bool solid, std::string* error) {
    if (!solid) {
        model_.reset();
        std::fill(window_.begin(), window_.end(), 0);
        windowPos_ = 0;
    }
    model_.beginMember();
    Unpack15Decoder decoder(model_, window_, windowPos_, Unpack15Bits(packed, packedSize), out, outSize);
    return decoder.run(error);
}

}  // namespace tarnel::rar
