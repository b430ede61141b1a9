// libjpeg callbacks for decoding from memory. They are called from inside the decoder (C
// code), so they hold no objects with destructors: the error exit leaves by longjmp.
#include "assets/jpeg_memory_source.h"

#include <jerror.h>

namespace tarnel {

namespace {

const JOCTET kEndOfImage[2] = {0xFF, JPEG_EOI};

JpegMemorySource& sourceOf(j_decompress_ptr decoder) {
    return *reinterpret_cast<JpegMemorySource*>(decoder->src);
}

void initSource(j_decompress_ptr decoder) {
    JpegMemorySource& source = sourceOf(decoder);
    source.pub.next_input_byte = source.bytes;
    source.pub.bytes_in_buffer = source.size;
}

// Only called once the whole buffer is used up: there is no more data to give.
boolean fillInputBuffer(j_decompress_ptr decoder) {
    WARNMS(decoder, JWRN_JPEG_EOF);
    decoder->src->next_input_byte = kEndOfImage;
    decoder->src->bytes_in_buffer = sizeof kEndOfImage;
    return TRUE;
}

void skipInputData(j_decompress_ptr decoder, long count) {
    if (count <= 0) return;
    jpeg_source_mgr& pub = *decoder->src;
    if (static_cast<unsigned long>(count) >= pub.bytes_in_buffer) {
        // Skipping past the end: the next read asks for more and gets the end marker.
        pub.next_input_byte += pub.bytes_in_buffer;
        pub.bytes_in_buffer = 0;
        return;
    }
    pub.next_input_byte += count;
    pub.bytes_in_buffer -= static_cast<std::size_t>(count);
}

void termSource(j_decompress_ptr) {}

[[noreturn]] void errorExit(j_common_ptr decoder) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(decoder->err);
    errors->pub.format_message(decoder, errors->message);
    std::longjmp(errors->jump, 1);
}

void outputMessage(j_common_ptr decoder) {
    char discarded[JMSG_LENGTH_MAX];
    decoder->err->format_message(decoder, discarded);
}

}  // namespace

void attachJpegMemorySource(jpeg_decompress_struct& decoder, JpegMemorySource& source,
                            const std::uint8_t* bytes, std::size_t size) {
    source.bytes = bytes;
    source.size = size;
    source.pub.init_source = initSource;
    source.pub.fill_input_buffer = fillInputBuffer;
    source.pub.skip_input_data = skipInputData;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = termSource;
    source.pub.next_input_byte = nullptr;
    source.pub.bytes_in_buffer = 0;
    decoder.src = &source.pub;
}

jpeg_error_mgr* attachJpegErrorManager(JpegErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = errorExit;
    errors.pub.output_message = outputMessage;
    errors.message[0] = '\0';
    return &errors.pub;
}

}  // namespace tarnel
