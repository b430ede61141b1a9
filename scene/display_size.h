// The size of the display mode the scene is drawn in. Flares work in pixels: their sprites
// are sized by the width when they are read and drawn over the whole display. One
// process-wide record, set by the saver run from the settings before the scene loads.
#pragma once

#include <cstdint>

namespace tarnel {

class DisplaySize {
public:
    std::uint32_t width = 1024;  // pixels
    std::uint32_t height = 768;  // pixels
};

DisplaySize& displaySize();

}  // namespace tarnel
