// Checksums of headers and member data, both from zlib's CRC-32.
#include "assets/rar/rar_format.h"

#include <zlib.h>

#include <algorithm>

namespace tarnel::rar {

std::uint32_t dataCrc(const std::uint8_t* data, std::size_t count, std::uint32_t before) {
    uLong crc = before;
    // zlib takes 32-bit lengths; feed large buffers in pieces.
    while (count > 0) {
        const std::size_t piece = std::min<std::size_t>(count, 1u << 30);
        crc = crc32(crc, data, static_cast<uInt>(piece));
        data += piece;
        count -= piece;
    }
    return static_cast<std::uint32_t>(crc);
}

std::uint16_t headerCrc(const std::uint8_t* from, std::size_t count) {
    return static_cast<std::uint16_t>(dataCrc(from, count) & 0xFFFF);
}

}  // namespace tarnel::rar
