// Members held in memory, pictures made on the spot and captured message boxes: what the
// asset tests feed the loaders instead of a data package.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#if __has_include(<jpeglib.h>)
#include <jpeglib.h>
#define TARNEL_TEST_JPEG_ENCODER 1
#endif

#include "assets/member_opener.h"
#include "platform/message_box.h"

namespace tarnel::testing {

using Bytes = std::vector<std::uint8_t>;

class MemberMap {
public:
    std::map<std::string, Bytes> members;
    std::vector<std::string> opened;

    MemberOpener opener() {
        return [this](MemoryFile& file, const char* name) {
            opened.emplace_back(name);
            auto found = members.find(name);
            if (found == members.end()) return 0;
            file.openBytes(name, found->second);
            return 1;
        };
    }
};

inline Bytes textBytes(const std::string& text) { return Bytes(text.begin(), text.end()); }

// A file of tests/data, named from there: a missing one is a broken checkout, and the test
// fails on the spot with its name.
inline Bytes readTestData(const std::string& relative) {
    const std::string path = std::string(TARNEL_TEST_DATA) + "/" + relative;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("missing test data file " + path);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Records every message box shown while it lives.
class MessageCapture {
public:
    struct Message {
        std::string text, caption;
    };
    std::vector<Message> messages;

    MessageCapture() {
        platform::setMessageBoxHandler(
            [this](const std::string& text, const std::string& caption) { messages.push_back({text, caption}); });
    }
    ~MessageCapture() { platform::setMessageBoxHandler({}); }
};

#ifdef TARNEL_TEST_JPEG_ENCODER
// Encodes width x height pixels (top row first; 1 component grey, 3 RGB, 4 CMYK) as a
// baseline JPEG. Only where libjpeg is (not in the Windows build).
inline Bytes encodeJpeg(int width, int height, int components, const Bytes& pixels, int quality = 95) {
    jpeg_compress_struct encoder{};
    jpeg_error_mgr errors{};
    encoder.err = jpeg_std_error(&errors);
    jpeg_create_compress(&encoder);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&encoder, &buffer, &size);
    encoder.image_width = static_cast<JDIMENSION>(width);
    encoder.image_height = static_cast<JDIMENSION>(height);
    encoder.input_components = components;
    encoder.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 4 ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&encoder);
    jpeg_set_quality(&encoder, quality, TRUE);
    jpeg_start_compress(&encoder, TRUE);
    while (encoder.next_scanline < encoder.image_height) {
        auto* row = const_cast<JSAMPLE*>(pixels.data() + std::size_t(encoder.next_scanline) * width * components);
        jpeg_write_scanlines(&encoder, &row, 1);
    }
    jpeg_finish_compress(&encoder);
    jpeg_destroy_compress(&encoder);
    Bytes result(buffer, buffer + size);
    std::free(buffer);
    return result;
}
#endif

// A picture whose top half has one colour and bottom half another.
inline Bytes twoBands(int width, int height, const Bytes& top, const Bytes& bottom) {
    Bytes pixels;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            const Bytes& colour = row < height / 2 ? top : bottom;
            pixels.insert(pixels.end(), colour.begin(), colour.end());
        }
    return pixels;
}

// An 18-byte TGA header.
inline Bytes tgaHeader(std::uint8_t type, std::uint8_t depth, std::uint16_t width, std::uint16_t height,
                       std::uint8_t colorMapType = 0, std::uint16_t colorMapLength = 0,
                       std::uint8_t colorMapDepth = 0) {
    return Bytes{0,
                 colorMapType,
                 type,
                 0,
                 0,
                 std::uint8_t(colorMapLength & 0xFF),
                 std::uint8_t(colorMapLength >> 8),
                 colorMapDepth,
                 0,
                 0,
                 0,
                 0,
                 std::uint8_t(width & 0xFF),
                 std::uint8_t(width >> 8),
                 std::uint8_t(height & 0xFF),
                 std::uint8_t(height >> 8),
                 depth,
                 0};
}

inline Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace tarnel::testing
