// JPEG decoding with libjpeg over one buffer. Every libjpeg call runs under one setjmp:
// the state the decoder touches lives on the heap and is created before the jump point, so
// a fatal error can return here, destroy the decoder and give up the picture without leaks.
#include "assets/jpeg_reader.h"

#include <memory>
#include <new>
#include <vector>

#include "assets/jpeg_memory_source.h"
#include "assets/load_timing.h"

namespace tarnel {

namespace {

struct DecodeState {
    jpeg_decompress_struct decoder{};
    JpegErrorManager errors{};
    JpegMemorySource source{};
    std::vector<JSAMPROW> rows;
    std::vector<JSAMPLE> inkRow;  // one row of four inks a pixel, for CMYK and YCCK pictures
    std::size_t maxPixels = 0;
    JpegResult result;
};

JpegResult failure(const char* reason) {
    JpegResult result;
    result.error = reason;
    return result;
}

// a * b / 255, rounded: one ink's share of the light that the black ink lets through.
std::uint8_t scaled(unsigned a, unsigned b) { return static_cast<std::uint8_t>((a * b + 127) / 255); }

// A row of inks to red, green, blue, as the system codec on Windows converts them. Adobe's
// programs, and the tools that follow them, store 255 minus each ink; without their marker
// the values are the inks themselves.
void inksToRgb(const JSAMPLE* inks, std::uint8_t* rgb, JDIMENSION width, bool adobeInverted) {
    for (JDIMENSION x = 0; x < width; ++x, inks += 4, rgb += 3) {
        unsigned c = inks[0], m = inks[1], y = inks[2], k = inks[3];
        if (!adobeInverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
        rgb[0] = scaled(c, k);
        rgb[1] = scaled(m, k);
        rgb[2] = scaled(y, k);
    }
}

// Reads the scanlines, top row first, into rows, whose first entry is the top row.
void readRows(jpeg_decompress_struct& decoder, std::vector<JSAMPROW>& rows) {
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW* next = rows.data() + decoder.output_scanline;
        jpeg_read_scanlines(&decoder, next, decoder.output_height - decoder.output_scanline);
    }
}

// CMYK and YCCK pictures (printing separations) come out of the decoder as four inks a
// pixel, one row at a time, each row turned into red, green and blue on the spot.
void readInkRows(DecodeState& state) {
    jpeg_decompress_struct& decoder = state.decoder;
    state.inkRow.resize(static_cast<std::size_t>(decoder.output_width) * 4);
    JSAMPROW inks = state.inkRow.data();
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW rgb = state.rows[decoder.output_scanline];
        if (jpeg_read_scanlines(&decoder, &inks, 1) != 1) break;
        inksToRgb(inks, rgb, decoder.output_width, decoder.saw_Adobe_marker);
    }
}

// Runs the decoder; any fatal error leaves through the state's jump buffer.
void decodeInto(DecodeState& state) {
    jpeg_decompress_struct& decoder = state.decoder;
    jpeg_read_header(&decoder, TRUE);
    if (std::size_t(decoder.image_width) * decoder.image_height > state.maxPixels) {
        state.result.error = "picture too large";
        return;
    }
    const bool inks = decoder.jpeg_color_space == JCS_CMYK || decoder.jpeg_color_space == JCS_YCCK;
    if (inks) decoder.out_color_space = JCS_CMYK;
    jpeg_start_decompress(&decoder);
    int components = inks ? 3 : decoder.output_components;
    if (components != 1 && components != 3) {
        state.result.error = "colour space cannot be shown";
        jpeg_abort_decompress(&decoder);
        return;
    }
    Image& image = state.result.image;
    image.width = static_cast<int>(decoder.output_width);
    image.height = static_cast<int>(decoder.output_height);
    image.rowBytes = image.width * components;
    image.pixels.assign(static_cast<std::size_t>(image.rowBytes) * image.height, 0);
    // The decoder delivers the top row first; OpenGL wants it last.
    state.rows.resize(image.height);
    for (int row = 0; row < image.height; ++row)
        state.rows[row] = image.pixels.data() + static_cast<std::size_t>(image.height - 1 - row) * image.rowBytes;
    if (inks)
        readInkRows(state);
    else
        readRows(decoder, state.rows);
    state.result.warnings = decoder.err->num_warnings;
    jpeg_finish_decompress(&decoder);
}

}  // namespace

JpegResult decodeJpeg(const std::uint8_t* bytes, std::size_t size, std::size_t maxPixels) {
    ScopedLoadStep timed(LoadStep::JpegDecode);
    std::unique_ptr<DecodeState> owner;
    try {
        owner = std::make_unique<DecodeState>();
    } catch (const std::bad_alloc&) {
        return failure("out of memory");
    }
    DecodeState* const state = owner.get();
    state->maxPixels = maxPixels;
    state->decoder.err = attachJpegErrorManager(state->errors);
    if (setjmp(state->errors.jump) != 0) {
        jpeg_destroy_decompress(&state->decoder);
        return failure(state->errors.message[0] ? state->errors.message : "damaged JPEG data");
    }
    jpeg_create_decompress(&state->decoder);
    attachJpegMemorySource(state->decoder, state->source, bytes, size);
    try {
        decodeInto(*state);
    } catch (const std::bad_alloc&) {
        state->result.error = "out of memory";
    }
    jpeg_destroy_decompress(&state->decoder);
    if (!state->result.ok()) state->result.image = Image{};
    return std::move(state->result);
}

}  // namespace tarnel
