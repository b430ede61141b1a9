// A read position over a span of little-endian bytes that never reads past its end: every
// read says whether the bytes were there. Used by the binary readers (TGA, mesh files).
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace tarnel {

class ByteCursor {
public:
    ByteCursor(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::size_t remaining() const { return size_ - position_; }
    bool has(std::size_t count) const { return count <= remaining(); }

    // Returns the next count bytes and moves past them, or null (and stays) if they are not there.
    const std::uint8_t* take(std::size_t count) {
        if (!has(count)) return nullptr;
        const std::uint8_t* start = bytes_ + position_;
        position_ += count;
        return start;
    }
    bool skip(std::size_t count) { return take(count) != nullptr || count == 0; }

    bool u8(std::uint8_t& value) { return readLittleEndian(value); }
    bool u16(std::uint16_t& value) { return readLittleEndian(value); }
    bool u32(std::uint32_t& value) { return readLittleEndian(value); }
    bool f32(float& value) {
        std::uint32_t bits = 0;
        if (!u32(bits)) return false;
        std::memcpy(&value, &bits, sizeof value);
        return true;
    }

private:
    template <typename T>
    bool readLittleEndian(T& value) {
        const std::uint8_t* p = take(sizeof(T));
        if (!p) return false;
        T result = 0;
        for (std::size_t i = 0; i < sizeof(T); ++i) result = static_cast<T>(result | (T(p[i]) << (8 * i)));
        value = result;
        return true;
    }

    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t position_ = 0;
};

}  // namespace tarnel
