// libpng writing into a byte vector; the rows are flipped when they come bottom first.
#include "host/png_writer.h"

#include "platform/system.h"

#include <png.h>

#include <csetjmp>

namespace tarnel {

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void flushNothing(png_structp) {}

}  // namespace

std::vector<std::uint8_t> encodePng(const std::vector<std::uint8_t>& pixels, int width, int height,
                                    bool bottomRowFirst) {
    std::vector<std::uint8_t> out;
    if (width <= 0 || height <= 0 || pixels.size() != static_cast<std::size_t>(width) * height * 4) return out;
    std::vector<std::uint8_t> rgb(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        int sourceRow = bottomRowFirst ? height - 1 - y : y;
        const std::uint8_t* from = &pixels[static_cast<std::size_t>(sourceRow) * width * 4];
        std::uint8_t* to = &rgb[static_cast<std::size_t>(y) * width * 3];
        for (int x = 0; x < width; ++x) {
            to[x * 3 + 0] = from[x * 4 + 0];
            to[x * 3 + 1] = from[x * 4 + 1];
            to[x * 3 + 2] = from[x * 4 + 2];
        }
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return out;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, info ? &info : nullptr);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[static_cast<std::size_t>(y) * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool writePngFile(const std::string& path, const std::vector<std::uint8_t>& pixels, int width, int height,
                  bool bottomRowFirst) {
    std::vector<std::uint8_t> bytes = encodePng(pixels, width, height, bottomRowFirst);
    if (bytes.empty()) return false;
    return platform::writeFileAtomically(path, std::string(bytes.begin(), bytes.end()));
}

}  // namespace tarnel
