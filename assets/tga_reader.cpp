// TGA decoding over bytes. Every length comes from the file, so each is checked against what
// the buffer holds before anything is allocated or read; a file shorter than its header says
// is refused rather than padded.
#include "assets/tga_reader.h"

#include <algorithm>
#include <string>

#include "assets/byte_cursor.h"
#include "assets/findings.h"
#include "platform/message_box.h"

namespace tarnel {

namespace {

constexpr std::size_t kMaxTgaPixels = 8192u * 8192u;

bool isColorMapped(std::uint8_t type) { return type == 1 || type == 9; }
bool isRunLength(std::uint8_t type) { return type == 9 || type == 10 || type == 11; }
bool isTrueColorOrGrey(std::uint8_t type) { return type == 2 || type == 3 || type == 10 || type == 11; }

bool readHeader(ByteCursor& in, TgaImage& image) {
    return in.u8(image.idLength) && in.u8(image.colorMapType) && in.u8(image.imageType) &&
           in.u16(image.colorMapStart) && in.u16(image.colorMapLength) && in.u8(image.colorMapDepth) &&
           in.u16(image.originX) && in.u16(image.originY) && in.u16(image.width) && in.u16(image.height) &&
           in.u8(image.pixelDepth) && in.u8(image.descriptor);
}

std::string dimensions(const TgaImage& image) {
    return std::to_string(image.width) + "x" + std::to_string(image.height);
}

// "TGA header says <what> but the member has <size> bytes".
TgaStatus cutShort(TgaResult& result, const std::string& what, std::size_t size) {
    result.error = "TGA header says " + what + " but the member has " + std::to_string(size) + " bytes";
    return TgaStatus::damaged;
}

TgaStatus refuseType(TgaResult& result) {
    const TgaImage& image = result.image;
    if (isColorMapped(image.imageType))
        result.error = "TGA of type " + std::to_string(image.imageType) + " has no 24-bit colour map (map type " +
                       std::to_string(image.colorMapType) + ", " + std::to_string(image.colorMapDepth) +
                       " bits an entry)";
    else
        result.error = "TGA image type " + std::to_string(image.imageType) + " is none of 1, 2, 3, 9, 10 and 11";
    return TgaStatus::unsupportedType;
}

bool depthFitsType(const TgaImage& image) {
    if (isColorMapped(image.imageType)) return image.pixelDepth == 8;
    return image.pixelDepth == 8 || image.pixelDepth == 16 || image.pixelDepth == 24 || image.pixelDepth == 32;
}

// Reads the colour map of a colour-mapped picture; skips the one a true-colour picture may
// carry, which would otherwise be taken for pixels.
TgaStatus readColorMap(ByteCursor& in, TgaResult& result, std::size_t size) {
    TgaImage& image = result.image;
    const std::string map = "a colour map of " + std::to_string(image.colorMapLength) + " entries";
    if (isColorMapped(image.imageType)) {
        if (image.colorMapType != 1 || image.colorMapDepth != 24) return refuseType(result);
        const std::uint8_t* entries = in.take(std::size_t(image.colorMapLength) * 3);
        if (!entries) return cutShort(result, map, size);
        image.palette.assign(entries, entries + std::size_t(image.colorMapLength) * 3);
        return TgaStatus::ok;
    }
    if (!isTrueColorOrGrey(image.imageType)) return refuseType(result);
    if (image.colorMapType == 1 && !in.skip(std::size_t(image.colorMapLength) * ((image.colorMapDepth + 7) / 8)))
        return cutShort(result, map, size);
    return TgaStatus::ok;
}

// One stored pixel value to its decoded bytes: 16-bit values become blue, green, red; 32-bit
// ones are turned from blue, green, red, alpha into red, green, blue, alpha.
void convertPixel(const std::uint8_t* in, int depth, std::uint8_t* out) {
    switch (depth) {
        case 16: {
            unsigned v = in[0] | (in[1] << 8);
            out[0] = static_cast<std::uint8_t>((v & 0x1F) << 3);
            out[1] = static_cast<std::uint8_t>(((v >> 5) & 0x1F) << 3);
            out[2] = static_cast<std::uint8_t>(((v >> 10) & 0x1F) << 3);
            break;
        }
        case 32:
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
            out[3] = in[3];
            break;
        default:
            std::copy(in, in + depth / 8, out);
            break;
    }
}

bool decodeRaw(ByteCursor& in, std::size_t count, int depth, int outBytes, std::uint8_t* out) {
    const std::uint8_t* stored = in.take(count * (depth / 8));
    if (!stored) return false;
    for (std::size_t i = 0; i < count; ++i) convertPixel(stored + i * (depth / 8), depth, out + i * outBytes);
    return true;
}

// Packets that would run past the picture are cut at its end.
bool decodeRunLength(ByteCursor& in, std::size_t count, int depth, int outBytes, std::uint8_t* out) {
    std::size_t done = 0;
    while (done < count) {
        std::uint8_t header = 0;
        if (!in.u8(header)) return false;
        std::size_t run = std::min<std::size_t>((header & 0x7F) + 1, count - done);
        if (header & 0x80) {
            const std::uint8_t* value = in.take(depth / 8);
            if (!value) return false;
            for (std::size_t i = 0; i < run; ++i) convertPixel(value, depth, out + (done + i) * outBytes);
        } else if (!decodeRaw(in, run, depth, outBytes, out + done * outBytes)) {
            return false;
        }
        done += run;
    }
    return true;
}

// Indices past the map give black.
void applyPalette(TgaImage& image, const std::vector<std::uint8_t>& indices) {
    image.pixels.assign(indices.size() * 3, 0);
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] >= image.colorMapLength) continue;
        std::copy_n(image.palette.data() + indices[i] * 3, 3, image.pixels.data() + i * 3);
    }
    image.palette.clear();
    image.palette.shrink_to_fit();
}

// The fewest stored bytes that can describe count pixels, so that a short file cannot make
// us allocate a large picture.
std::size_t minimumStoredBytes(std::size_t count, int depth, bool runLength) {
    std::size_t valueBytes = depth / 8;
    if (!runLength) return count * valueBytes;
    return (count + 127) / 128 * (1 + valueBytes);
}

TgaStatus decodePixels(ByteCursor& in, TgaResult& result, std::size_t size) {
    TgaImage& image = result.image;
    std::size_t count = std::size_t(image.width) * image.height;
    int depth = image.pixelDepth;
    bool runLength = isRunLength(image.imageType);
    if (count == 0) {
        result.error = "TGA header says " + dimensions(image) + ": a picture without pixels";
        return TgaStatus::damaged;
    }
    if (in.remaining() < minimumStoredBytes(count, depth, runLength)) return cutShort(result, dimensions(image), size);
    if (count > kMaxTgaPixels) {
        result.error = "TGA header says " + dimensions(image) + ", more than the " + std::to_string(kMaxTgaPixels) +
                       " pixels a picture may have";
        return TgaStatus::damaged;
    }
    int outBytes = depth == 16 ? 3 : depth / 8;
    std::vector<std::uint8_t> decoded(count * outBytes);
    bool complete = runLength ? decodeRunLength(in, count, depth, outBytes, decoded.data())
                              : decodeRaw(in, count, depth, outBytes, decoded.data());
    if (!complete) return cutShort(result, dimensions(image) + " in run-length packets", size);
    if (isColorMapped(image.imageType)) {
        applyPalette(image, decoded);
        image.pixelDepth = 24;
    } else {
        image.pixels = std::move(decoded);
        if (depth == 16) image.pixelDepth = 24;
    }
    return TgaStatus::ok;
}

}  // namespace

TgaResult decodeTga(const std::uint8_t* bytes, std::size_t size) {
    TgaResult result;
    TgaImage& image = result.image;
    ByteCursor in(bytes, size);
    if (!readHeader(in, image)) {
        result.error = "the member has " + std::to_string(size) + " bytes, fewer than the 18 of a TGA header";
        return result;
    }
    if (!in.skip(image.idLength)) {
        cutShort(result, "an image ID of " + std::to_string(image.idLength) + " bytes", size);
        return result;
    }
    result.status = readColorMap(in, result, size);
    if (result.status != TgaStatus::ok) return result;
    if (!depthFitsType(image)) {
        result.status = TgaStatus::unsupportedDepth;
        result.error = "TGA of type " + std::to_string(image.imageType) + " cannot have " +
                       std::to_string(image.pixelDepth) + " bits a pixel";
        return result;
    }
    result.status = decodePixels(in, result, size);
    if (!result.ok()) {
        image.pixels.clear();
        image.palette.clear();
    }
    return result;
}

bool readTga(const char* path, TgaImage& image, const MemberOpener& openMember) {
    MemoryFile file;
    if (!openMember(file, path)) return false;
    TgaResult result = decodeTga(file.data.data(), file.size);
    file.close();
    if (result.status == TgaStatus::unsupportedDepth) platform::showMessageBox("Unsupported image depth.", "TGA");
    if (!result.ok()) {
        reportAtReadingPlace(path, "image \"" + std::string(path) + "\": " + result.error);
        return false;
    }
    image = std::move(result.image);
    return true;
}

}  // namespace tarnel
