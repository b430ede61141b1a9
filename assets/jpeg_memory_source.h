// The two libjpeg hooks the JPEG reader supplies: a source over one buffer in memory and
// an error manager whose fatal error jumps back to the reader instead of ending the process.
#pragma once

#include <csetjmp>
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include <jpeglib.h>

namespace tarnel {

struct JpegMemorySource {
    jpeg_source_mgr pub;  // first, so libjpeg's pointer to it is a pointer to this
    const std::uint8_t* bytes;
    std::size_t size;
};

// Hands bytes to the decoder as one buffer. Should the decoder ask for more than there is,
// it gets an end-of-image marker, so a truncated stream ends instead of reading on.
void attachJpegMemorySource(jpeg_decompress_struct& decoder, JpegMemorySource& source,
                            const std::uint8_t* bytes, std::size_t size);

struct JpegErrorManager {
    jpeg_error_mgr pub;  // first, for the same reason
    std::jmp_buf jump;   // where a fatal error returns to
    char message[JMSG_LENGTH_MAX];  // the last fatal error, formatted
};

// Warnings and trace messages are formatted and dropped; a fatal error keeps its text in
// message and longjmps to jump, which the caller must have set before any libjpeg call.
jpeg_error_mgr* attachJpegErrorManager(JpegErrorManager& errors);

}  // namespace tarnel
