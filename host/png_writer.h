// PNG output of rendered frames (--render, golden frames): RGBA pixel bytes in, PNG bytes
// out, colour type RGB (the frame's alpha is dropped).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnel {

// pixels: width x height RGBA bytes; bottomRowFirst as glReadPixels returns them.
// Empty on bad sizes.
std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& pixels, int width, int height,
                                    bool bottomRowFirst);
// False, with the reason in error when given, when the file could not be written whole.
bool writePngFile(const std::string& path, const std::vector<std::uint8_t>& pixels, int width, int height,
                  bool bottomRowFirst, std::string* error = nullptr);

}  // namespace tarnel
