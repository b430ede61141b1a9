// PNG bytes written directly over zlib (the one compression library every build has): a
// signature, IHDR, one IDAT of the filtered rows, IEND. Rows are flipped when they come
// bottom first.
#include "host/png_writer.h"

#include "platform/system.h"

#include <zlib.h>

namespace tarnel {

namespace {

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// Length, type, data, then the CRC-32 of type and data.
void appendChunk(std::vector<std::uint8_t>& out, const char* type, const std::vector<std::uint8_t>& data) {
    appendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(out.size() - typeAt));
    appendBigEndian(out, static_cast<std::uint32_t>(crc));
}

// Each row of the picture, top first, behind its filter byte (0: none), red, green, blue.
std::vector<std::uint8_t> filteredRows(const std::vector<std::uint8_t>& pixels, int width, int height,
                                       bool bottomRowFirst) {
    std::size_t rowBytes = static_cast<std::size_t>(width) * 3 + 1;
    std::vector<std::uint8_t> rows(rowBytes * height);
    for (int y = 0; y < height; ++y) {
        int sourceRow = bottomRowFirst ? height - 1 - y : y;
        const std::uint8_t* from = &pixels[static_cast<std::size_t>(sourceRow) * width * 4];
        std::uint8_t* to = &rows[static_cast<std::size_t>(y) * rowBytes];
        *to++ = 0;
        for (int x = 0; x < width; ++x) {
            to[x * 3 + 0] = from[x * 4 + 0];
            to[x * 3 + 1] = from[x * 4 + 1];
            to[x * 3 + 2] = from[x * 4 + 2];
        }
    }
    return rows;
}

}  // namespace

std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& pixels, int width, int height,
                                    bool bottomRowFirst) {
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<std::size_t>(width) * height * 4) return {};
    std::vector<std::uint8_t> rows = filteredRows(pixels, width, height, bottomRowFirst);
    uLongf packedSize = compressBound(static_cast<uLong>(rows.size()));
    std::vector<std::uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, rows.data(), static_cast<uLong>(rows.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        return {};
    packed.resize(packedSize);

    std::vector<std::uint8_t> header;
    appendBigEndian(header, static_cast<std::uint32_t>(width));
    appendBigEndian(header, static_cast<std::uint32_t>(height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, colour type RGB, deflate, no filter set, no interlace
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    appendChunk(out, "IHDR", header);
    appendChunk(out, "IDAT", packed);
    appendChunk(out, "IEND", {});
    return out;
}

bool writePngFile(const std::string& path, const std::vector<std::uint8_t>& pixels, int width, int height,
                  bool bottomRowFirst, std::string* error) {
    std::vector<std::uint8_t> bytes = encodePng(pixels, width, height, bottomRowFirst);
    if (bytes.empty()) {
        if (error) *error = "the picture could not be encoded";
        return false;
    }
    return platform::writeFileAtomically(path, std::string(bytes.begin(), bytes.end()), error);
}

}  // namespace tarnel
