// Encoders from a Raster to the bytes of a package member: JPEG (libjpeg, for opaque images),
// 32-bit TGA (for images with alpha) and PNG (libpng, for the preview sheet only).
#pragma once

#include <cstdint>
#include <vector>

#include "content/raster.h"

namespace content {

using Bytes = std::vector<uint8_t>;

Bytes encodeJpeg(const Raster& image, int quality);

// Uncompressed true-colour TGA, BGRA, bottom row first (the origin the engine assumes).
Bytes encodeTga(const Raster& image);

// RGB PNG, top row first.
Bytes encodePng(const Raster& image);

uint8_t toByte(float v);

}  // namespace content
