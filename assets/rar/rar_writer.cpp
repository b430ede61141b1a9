// Stored-member archive writer: marker, main header, one file header and its data per entry,
// the data encrypted under a password when one is given.
#include "assets/rar/rar_writer.h"

#include "assets/rar/crypt20.h"
#include "assets/rar/rar_format.h"

#include <algorithm>
#include <limits>

namespace tarnel::rar {

namespace {

constexpr std::size_t kMaxNameSize = 1023;
constexpr std::uint8_t kVersionNeeded = 20;
constexpr std::uint32_t kArchiveAttribute = 0x20;

void appendMainHeader(std::vector<std::uint8_t>& out) {
    std::uint8_t header[kMainHeaderSize] = {};
    header[2] = kMainBlock;
    store16(header + 3, 0);
    store16(header + 5, kMainHeaderSize);
    store16(header, headerCrc(header + 2, kMainHeaderSize - 2));
    out.insert(out.end(), header, header + kMainHeaderSize);
}

// The member's data as it lies in the archive: as given, or padded with zeros and encrypted.
std::vector<std::uint8_t> packedData(const WriterEntry& entry, std::string_view password) {
    if (password.empty()) return entry.data;
    std::vector<std::uint8_t> packed = entry.data;
    packed.resize((packed.size() + Crypt20::kBlockSize - 1) / Crypt20::kBlockSize * Crypt20::kBlockSize);
    Crypt20(password).encrypt(packed.data(), packed.size());
    return packed;
}

void appendFileHeader(const WriterEntry& entry, const std::string& name, std::size_t packedSize, bool encrypted,
                      std::vector<std::uint8_t>& out) {
    std::vector<std::uint8_t> header(kFileHeaderFixed + name.size());
    std::uint8_t* p = header.data();
    p[2] = kFileBlock;
    store16(p + 3, static_cast<std::uint16_t>(kLongBlock | (encrypted ? kFileEncrypted : 0)));
    store16(p + 5, static_cast<std::uint16_t>(header.size()));
    store32(p + 7, static_cast<std::uint32_t>(packedSize));
    store32(p + 11, static_cast<std::uint32_t>(entry.data.size()));
    p[15] = kHostMsDos;
    store32(p + 16, dataCrc(entry.data.data(), entry.data.size()));
    store32(p + 20, entry.dosTime);
    p[24] = kVersionNeeded;
    p[25] = kMethodStore;
    store16(p + 26, static_cast<std::uint16_t>(name.size()));
    store32(p + 28, kArchiveAttribute);
    std::copy(name.begin(), name.end(), p + kFileHeaderFixed);
    store16(p, headerCrc(p + 2, header.size() - 2));
    out.insert(out.end(), header.begin(), header.end());
}

}  // namespace

bool writeStoredArchive(const std::vector<WriterEntry>& entries, std::vector<std::uint8_t>& out,
                        std::string* error, std::string_view password) {
    out.assign(kMarker, kMarker + sizeof kMarker);
    appendMainHeader(out);
    for (const WriterEntry& entry : entries) {
        std::string name = entry.name;
        std::replace(name.begin(), name.end(), '/', '\\');
        std::string reason;
        if (name.empty()) reason = "a member name is empty";
        else if (name.size() > kMaxNameSize || name.find('\0') != std::string::npos)
            reason = "member name \"" + name + "\" is too long or holds a NUL";
        else if (entry.data.size() > std::numeric_limits<std::uint32_t>::max() - (Crypt20::kBlockSize - 1))
            reason = "member \"" + name + "\" is larger than 4 GiB";
        if (!reason.empty()) {
            out.clear();
            if (error) *error = reason;
            return false;
        }
        const std::vector<std::uint8_t> packed = packedData(entry, password);
        appendFileHeader(entry, name, packed.size(), !password.empty(), out);
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return true;
}

std::uint32_t dosTimeOf(int year, int month, int day, int hour, int minute, int second) {
    year = std::clamp(year, 1980, 2107);
    const std::uint32_t date = static_cast<std::uint32_t>(((year - 1980) << 9) | (month << 5) | day);
    const std::uint32_t time = static_cast<std::uint32_t>((hour << 11) | (minute << 5) | (second / 2));
    return (date << 16) | time;
}

}  // namespace tarnel::rar
