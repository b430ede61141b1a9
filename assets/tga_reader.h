// TGA images: colour-mapped (8-bit indices into a 24-bit map), true colour of 16, 24 and 32
// bits and 8-bit grey, raw or run-length. Rows stay in file order (bottom row first for the
// usual origin); no colour correction.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "assets/member_opener.h"

namespace tarnel {

class TgaImage {
public:
    // The file header, in file order.
    std::uint8_t idLength = 0;
    std::uint8_t colorMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t colorMapStart = 0;  // not applied to indices
    std::uint16_t colorMapLength = 0;  // entries
    std::uint8_t colorMapDepth = 0;   // bits an entry
    std::uint16_t originX = 0;        // read, not used
    std::uint16_t originY = 0;
    std::uint16_t width = 0;   // pixels
    std::uint16_t height = 0;  // pixels
    // Bits a pixel: as stored while decoding, then what pixels holds: 8 (grey), 24 (blue,
    // green, red; colour-mapped and 16-bit pictures become this) or 32 (red, green, blue, alpha).
    std::uint8_t pixelDepth = 0;
    std::uint8_t descriptor = 0;  // not used

    std::vector<std::uint8_t> palette;  // colour map, 3 bytes an entry; emptied after decoding
    std::vector<std::uint8_t> pixels;   // width * height * bytesPerPixel()

    int bytesPerPixel() const { return pixelDepth / 8; }
};

enum class TgaStatus {
    ok,
    unsupportedType,   // not a type listed above, or a colour map that is not 24-bit
    unsupportedDepth,  // a pixel depth the type cannot have
    damaged,           // shorter than its header says, or no pixels at all
};

struct TgaResult {
    TgaImage image;
    TgaStatus status = TgaStatus::damaged;
    std::string error;  // what is wrong, naming the header's numbers; empty when ok
    bool ok() const { return status == TgaStatus::ok; }
};

// Decodes a whole TGA held in memory. Run-length packets that run past the picture are cut;
// colour-map indices past the map give black.
TgaResult decodeTga(const std::uint8_t* bytes, std::size_t size);

// Reads the member at path into image. An unsupported depth shows the message
// "Unsupported image depth."; every failure is reported as a finding with its reason.
bool readTga(const char* path, TgaImage& image, const MemberOpener& openMember = openPackageMember);

}  // namespace tarnel
