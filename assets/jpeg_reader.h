// JPEG images through libjpeg: a decoder over bytes and the reader of archive members that
// the texture table uses. Colour pictures decode to red, green, blue, CMYK and YCCK ones
// (printing separations) included; grey ones to one byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "assets/image.h"
#include "assets/member_opener.h"

namespace tarnel {

struct JpegResult {
    Image image;
    std::string error;  // empty on success, else libjpeg's reason
    long warnings = 0;  // libjpeg's warnings: a cut-off picture decodes with made-up rows
    bool ok() const { return error.empty(); }
};

// Larger pictures are refused before anything is allocated for them.
constexpr std::size_t kMaxJpegPixels = 8192u * 8192u;

// Decodes a whole JPEG held in memory. A damaged or truncated stream gives an error (or,
// where libjpeg can carry on, the part it could decode); it never reads outside bytes.
JpegResult decodeJpeg(const std::uint8_t* bytes, std::size_t size, std::size_t maxPixels = kMaxJpegPixels);

// Reads the member at path into image. A member that cannot be opened shows the message
// "ARCH:Can't load JPG file: <path>"; a member that cannot be decoded fails quietly.
bool readJpeg(const char* path, Image& image, const MemberOpener& openMember = openPackageMember);

}  // namespace tarnel
