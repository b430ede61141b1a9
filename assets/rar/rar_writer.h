// Builds the bytes of a RAR 2.0 archive of stored members, for tarnel-pack and for tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarnel::rar {

struct WriterEntry {
    std::string name;                // "\" between folders; "/" is turned into "\"
    std::vector<std::uint8_t> data;
    std::uint32_t dosTime = 0x21;    // DOS date and time (default: 1980-01-01 00:00:02)
};

// Packs the entries as stored members in the given order; with a password every member is
// encrypted with the RAR 2.0 cipher, its data padded to whole 16-byte blocks. Fails (with a
// reason) on an empty or overlong name, or data that a 32-bit size cannot describe.
bool writeStoredArchive(const std::vector<WriterEntry>& entries, std::vector<std::uint8_t>& out,
                        std::string* error, std::string_view password = {});

// DOS date and time of a calendar time (local fields: year, month 1-12, day, hour, minute, second).
std::uint32_t dosTimeOf(int year, int month, int day, int hour, int minute, int second);

}  // namespace tarnel::rar
