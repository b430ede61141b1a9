// Fuzzes the JPEG wrapper: libjpeg over our memory source and error manager must decode or
// give up on any bytes, never read past them, and never leak when it gives up.
#include <cstdint>
#include <cstdlib>

#include "assets/jpeg_reader.h"

// Pictures beyond a megapixel add time, not paths through the wrapper.
constexpr std::size_t kFuzzMaxPixels = 1u << 20;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnel::JpegResult result = tarnel::decodeJpeg(data, size, kFuzzMaxPixels);
    if (result.ok()) {
        const tarnel::Image& image = result.image;
        if (image.pixels.size() != std::size_t(image.rowBytes) * image.height) std::abort();
        if (image.components() != 1 && image.components() != 3) std::abort();
    }
    return 0;
}
