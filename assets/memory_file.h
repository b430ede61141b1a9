// An archive member held whole in memory, read by position, by bytes and by lines.
// Every script, image and mesh reader consumes its member through one of these.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tarnel {

class MemoryFile {
public:
    static constexpr std::size_t kNameSize = 100;
    static constexpr std::size_t kLineSize = 128;  // every script reader's line buffer

    char name[kNameSize] = {};
    std::vector<std::uint8_t> data;  // the whole member; empty when closed or failed
    std::uint32_t size = 0;          // bytes in data
    std::uint32_t position = 0;      // next byte to read; may pass size

    MemoryFile() = default;
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;
    virtual ~MemoryFile();

    // Extracts the member from the current package. Returns 1 on success, 0 on failure
    // (the file stays empty). Does not touch position.
    int open(const char* memberName);
    // Takes bytes that are already in memory, as open does with an extracted member.
    void openBytes(const char* memberName, std::vector<std::uint8_t> bytes);
    void close();

    // True once a read has moved position strictly past size: the end is seen one read late.
    bool atEnd() const { return position > size; }
    // Copies count bytes and advances position by count; bytes past the end read as zeros.
    void read(void* destination, std::uint32_t count);
    void readUnlessEnd(void* destination, std::uint32_t count);
    // origin 0: from the start, 1: from position, 2: back from the end.
    void seek(std::int32_t offset, int origin);
    // Reads one line: leading spaces skipped, carriage returns dropped, the line feed
    // consumed. The line is cut to capacity - 1 characters (the rest of it is consumed).
    // Returns 1 when data remains after the line, 0 when the end was reached.
    int readLine(char* buffer, std::size_t capacity = kLineSize);

private:
    void setName(const char* memberName);
};

}  // namespace tarnel
