// JPEG, TGA and PNG encoding to memory.
#include "content/encode.h"

#include <cstdio>
#include <stdexcept>

#include <jpeglib.h>
#include <png.h>

namespace content {

uint8_t toByte(float v) { return uint8_t(std::lround(clamp01(v) * 255.0f)); }

Bytes encodeJpeg(const Raster& image, int quality) {
    jpeg_compress_struct cinfo{};
    jpeg_error_mgr jerr{};
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = JDIMENSION(image.width());
    cinfo.image_height = JDIMENSION(image.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    // Full-resolution chroma: star colours and thin glyph strokes smear at 4:2:0.
    for (int c = 0; c < cinfo.num_components; ++c)
        cinfo.comp_info[c].h_samp_factor = cinfo.comp_info[c].v_samp_factor = 1;
    cinfo.optimize_coding = TRUE;
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<uint8_t> row(size_t(image.width()) * 3);
    while (cinfo.next_scanline < cinfo.image_height) {
        int y = int(cinfo.next_scanline);
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& p = image.at(x, y);
            row[size_t(x) * 3 + 0] = toByte(p.r);
            row[size_t(x) * 3 + 1] = toByte(p.g);
            row[size_t(x) * 3 + 2] = toByte(p.b);
        }
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    Bytes out(buffer, buffer + size);
    jpeg_destroy_compress(&cinfo);
    free(buffer);
    return out;
}

Bytes encodeTga(const Raster& image) {
    Bytes out(18, 0);
    out[2] = 2;  // uncompressed true colour
    out[12] = uint8_t(image.width() & 0xFF);
    out[13] = uint8_t(image.width() >> 8);
    out[14] = uint8_t(image.height() & 0xFF);
    out[15] = uint8_t(image.height() >> 8);
    out[16] = 32;
    out[17] = 8;  // eight alpha bits, origin at the bottom left
    out.reserve(out.size() + size_t(image.width()) * image.height() * 4);
    for (int y = image.height() - 1; y >= 0; --y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& p = image.at(x, y);
            out.push_back(toByte(p.b));
            out.push_back(toByte(p.g));
            out.push_back(toByte(p.r));
            out.push_back(toByte(p.a));
        }
    }
    return out;
}

namespace {
void appendPng(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<Bytes*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}
void flushPng(png_structp) {}
}  // namespace

Bytes encodePng(const Raster& image) {
    Bytes out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (!png || !info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        throw std::runtime_error("PNG encoding failed");
    }
    png_set_write_fn(png, &out, appendPng, flushPng);
    png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<uint8_t> row(size_t(image.width()) * 3);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& p = image.at(x, y);
            row[size_t(x) * 3 + 0] = toByte(p.r);
            row[size_t(x) * 3 + 1] = toByte(p.g);
            row[size_t(x) * 3 + 2] = toByte(p.b);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace content
