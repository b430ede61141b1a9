#include "assets/memory_file.h"

#include <cstring>

namespace tarnel {

MemoryFile::~MemoryFile() { close(); }

void MemoryFile::setName(const char* memberName) {
    std::strncpy(name, memberName ? memberName : "", kNameSize - 1);
    name[kNameSize - 1] = '\0';
}

void MemoryFile::openBytes(const char* memberName, std::vector<std::uint8_t> bytes) {
    setName(memberName);
    data = std::move(bytes);
    size = static_cast<std::uint32_t>(data.size());
}

void MemoryFile::close() {
    data.clear();
    data.shrink_to_fit();
    size = 0;
    position = 0;
}

void MemoryFile::read(void* destination, std::uint32_t count) {
    if (count == 0) return;
    auto* out = static_cast<std::uint8_t*>(destination);
    std::uint32_t available = position < size ? size - position : 0;
    std::uint32_t copied = count < available ? count : available;
    if (copied > 0) std::memcpy(out, data.data() + position, copied);
    if (copied < count) std::memset(out + copied, 0, count - copied);
    position += count;
}

void MemoryFile::readUnlessEnd(void* destination, std::uint32_t count) {
    if (!atEnd()) read(destination, count);
}

void MemoryFile::seek(std::int32_t offset, int origin) {
    switch (origin) {
        case 0: position = static_cast<std::uint32_t>(offset); break;
        case 1: position += static_cast<std::uint32_t>(offset); break;
        case 2: position = size - static_cast<std::uint32_t>(offset); break;
        default: break;
    }
}

int MemoryFile::readLine(char* buffer, std::size_t capacity) {
    if (capacity == 0) return atEnd() ? 0 : 1;
    std::size_t length = 0;
    char c = 0;
    read(&c, 1);
    while (c == ' ' && !atEnd()) read(&c, 1);
    while (c != '\n' && !atEnd()) {
        if (c != '\r' && length + 1 < capacity) buffer[length++] = c;
        read(&c, 1);
    }
    buffer[length] = '\0';
    return atEnd() ? 0 : 1;
}

}  // namespace tarnel
