// Fuzzes the TGA decoder: any bytes must decode or be refused without reading outside them,
// and a decoded picture must hold exactly its pixels.
#include <cstdint>
#include <cstdlib>

#include "assets/tga_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnel::TgaResult result = tarnel::decodeTga(data, size);
    if (result.ok()) {
        const tarnel::TgaImage& image = result.image;
        std::size_t expected = std::size_t(image.width) * image.height * image.bytesPerPixel();
        if (image.pixels.size() != expected || image.bytesPerPixel() == 0) std::abort();
    }
    return 0;
}
