// Encoders from a Raster to the bytes of a package member: JPEG (libjpeg, for opaque images),
// 32-bit TGA (for images with alpha), PNG (libpng, for the preview sheet and the program's
// pictures) and the Windows bitmap and icon files of the program's resources.
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

// 24-bit Windows bitmap file, bottom row first, each row padded to four bytes.
Bytes encodeBmp(const Raster& image);

// Windows icon file holding one 32-bit image per raster (each at most 256 pixels a side), in
// the order given; a pixel with alpha 0 is also marked transparent in the mask.
Bytes encodeIco(const std::vector<Raster>& images);

uint8_t toByte(float v);

}  // namespace content
