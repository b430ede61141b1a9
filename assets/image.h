// A decoded JPEG picture, ready for upload: rows from the bottom of the picture to the top,
// the row order OpenGL expects.
#pragma once

#include <cstdint>
#include <vector>

namespace tarnel {

class Image {
public:
    int rowBytes = 0;  // width times components
    int width = 0;     // pixels
    int height = 0;    // pixels
    std::vector<std::uint8_t> pixels;  // rowBytes * height bytes, bottom row first

    // 3 for colour (red, green, blue), 1 for grey.
    int components() const { return width > 0 ? rowBytes / width : 0; }
};

}  // namespace tarnel
