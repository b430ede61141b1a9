// Fuzzes the line reader every script reader stands on: the first byte picks the line
// buffer's capacity, the rest is the member. Every line must fit its buffer, end in a zero,
// hold no line ends, and the reader must reach the end of the member.
#include "assets/memory_file.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    const std::size_t capacity = data[0] % (tarnel::MemoryFile::kLineSize + 8);
    tarnel::MemoryFile file;
    file.openBytes("lines.txt", std::vector<std::uint8_t>(data + 1, data + size));
    // An exact-size heap block, so the sanitizer sees a write past the capacity.
    std::unique_ptr<char[]> buffer(new char[capacity == 0 ? 1 : capacity]);
    // Each call consumes at least one byte, so a member of n bytes ends within n + 1 calls.
    for (std::size_t calls = 0; calls <= size + 1; ++calls) {
        const int more = file.readLine(buffer.get(), capacity);
        if (capacity > 0) {
            const void* end = std::memchr(buffer.get(), '\0', capacity);
            if (end == nullptr) std::abort();
            const std::size_t length = static_cast<const char*>(end) - buffer.get();
            if (std::memchr(buffer.get(), '\n', length) || std::memchr(buffer.get(), '\r', length)) std::abort();
        }
        if (more == 0) return 0;
        if (capacity == 0) return 0;  // reads nothing: the loop would never end
    }
    std::abort();
}
