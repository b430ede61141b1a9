// decodeJpeg over the system's codec (Windows builds): the same result as the libjpeg
// decoder, rows turned round so the bottom row comes first.
#include "assets/jpeg_reader.h"

#include "assets/load_timing.h"
#include "platform/jpeg_codec.h"

#include <algorithm>

namespace tarnel {

JpegResult decodeJpeg(const std::uint8_t* bytes, std::size_t size, std::size_t maxPixels) {
    ScopedLoadStep timed(LoadStep::JpegDecode);
    JpegResult result;
    platform::DecodedJpeg decoded = platform::decodeJpegWithSystemCodec(bytes, size, maxPixels);
    if (!decoded.error.empty()) {
        result.error = decoded.error;
        return result;
    }
    Image& image = result.image;
    image.width = decoded.width;
    image.height = decoded.height;
    image.rowBytes = decoded.width * decoded.components;
    image.pixels.resize(decoded.pixels.size());
    auto rowBytes = static_cast<std::size_t>(image.rowBytes);
    for (int row = 0; row < image.height; ++row) {
        const std::uint8_t* from = decoded.pixels.data() + static_cast<std::size_t>(row) * rowBytes;
        std::copy(from, from + rowBytes, image.pixels.data() + static_cast<std::size_t>(image.height - 1 - row) * rowBytes);
    }
    return result;
}

}  // namespace tarnel
