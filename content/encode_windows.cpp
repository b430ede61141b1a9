// Windows bitmap and icon files, for the resources of the Windows program. Both store a
// device-independent bitmap: little-endian header fields, rows from the bottom up.
#include "content/encode.h"

#include <stdexcept>

namespace content {

namespace {

void put16(Bytes& out, unsigned v) {
    out.push_back(uint8_t(v & 0xFF));
    out.push_back(uint8_t((v >> 8) & 0xFF));
}

void put32(Bytes& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

size_t paddedRow(size_t bytes) { return (bytes + 3) & ~size_t(3); }

// The 40-byte info header; height is the stored height (an icon stores twice its own, for
// the colour rows and the mask rows).
void putInfoHeader(Bytes& out, int width, int height, int bits, size_t imageBytes) {
    put32(out, 40);
    put32(out, uint32_t(width));
    put32(out, uint32_t(height));
    put16(out, 1);                    // planes
    put16(out, unsigned(bits));
    put32(out, 0);                    // no compression
    put32(out, uint32_t(imageBytes));
    put32(out, 2835);                 // 72 dots per inch, in dots per metre
    put32(out, 2835);
    put32(out, 0);                    // no palette
    put32(out, 0);
}

Bytes iconImage(const Raster& image) {
    const int w = image.width(), h = image.height();
    const size_t maskRow = paddedRow((size_t(w) + 7) / 8);
    const size_t colourBytes = size_t(w) * h * 4, maskBytes = maskRow * h;
    Bytes out;
    putInfoHeader(out, w, h * 2, 32, colourBytes + maskBytes);
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const Rgba& p = image.at(x, y);
            out.push_back(toByte(p.b));
            out.push_back(toByte(p.g));
            out.push_back(toByte(p.r));
            out.push_back(toByte(p.a));
        }
    for (int y = h - 1; y >= 0; --y) {
        Bytes row(maskRow, 0);
        for (int x = 0; x < w; ++x)
            if (toByte(image.at(x, y).a) == 0) row[size_t(x) / 8] |= uint8_t(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

}  // namespace

Bytes encodeBmp(const Raster& image) {
    const size_t row = paddedRow(size_t(image.width()) * 3);
    const size_t pixelBytes = row * image.height();
    Bytes out;
    out.reserve(54 + pixelBytes);
    out.push_back('B');
    out.push_back('M');
    put32(out, uint32_t(54 + pixelBytes));
    put32(out, 0);
    put32(out, 54);                   // pixels follow the two headers
    putInfoHeader(out, image.width(), image.height(), 24, pixelBytes);
    for (int y = image.height() - 1; y >= 0; --y) {
        size_t start = out.size();
        for (int x = 0; x < image.width(); ++x) {
            const Rgba& p = image.at(x, y);
            out.push_back(toByte(p.b));
            out.push_back(toByte(p.g));
            out.push_back(toByte(p.r));
        }
        out.resize(start + row, 0);
    }
    return out;
}

Bytes encodeIco(const std::vector<Raster>& images) {
    Bytes out;
    put16(out, 0);
    put16(out, 1);                    // an icon, not a cursor
    put16(out, unsigned(images.size()));
    std::vector<Bytes> bodies;
    for (const Raster& image : images) {
        if (image.width() < 1 || image.height() < 1 || image.width() > 256 || image.height() > 256)
            throw std::invalid_argument("icon images are 1 to 256 pixels a side");
        bodies.push_back(iconImage(image));
    }
    size_t offset = 6 + 16 * images.size();
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(images[i].width() & 0xFF));   // 256 is written as 0
        out.push_back(uint8_t(images[i].height() & 0xFF));
        out.push_back(0);                                  // no palette
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, uint32_t(bodies[i].size()));
        put32(out, uint32_t(offset));
        offset += bodies[i].size();
    }
    for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace content
