// JPEG decoding by the operating system's own image codec, for builds without libjpeg
// (Windows: the Imaging Component). Bytes in, rows of pixels out; no OS type in sight.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::platform {

struct DecodedJpeg {
    int width = 0;                     // pixels
    int height = 0;                    // pixels
    int components = 0;                // 3: red, green, blue; 1: grey
    std::vector<std::uint8_t> pixels;  // width * components bytes a row, top row first
    std::string error;                 // empty on success, else the codec's reason
};

// Pictures of more than maxPixels pixels are refused before their pixels are allocated.
DecodedJpeg decodeJpegWithSystemCodec(const std::uint8_t* bytes, std::size_t size, std::size_t maxPixels);

}  // namespace tarnel::platform
