// Fuzz target of the data package reader: reads the archive index from the bytes and extracts
// every member, without and with a password, through one extractor (so solid runs carry over).
// The encrypted seeds (RAR 1.5 and 2.0 ciphers, stored, compressed and solid) use the password
// here, so their mutations reach the decoders as well as the cipher.
// Bytes that are not an archive go straight to the decoders, which header CRCs would hide.
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"
#include "assets/rar/unpack15.h"
#include "assets/rar/unpack20.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace {

// The first two bytes choose the output size (up to 64 KiB), the rest is packed data decoded
// twice, the second time as a solid continuation.
void decodeRaw(const std::uint8_t* data, std::size_t size) {
    if (size < 2) return;
    std::vector<std::uint8_t> out(static_cast<std::size_t>(data[0] | (data[1] << 8)) + 1);
    // Kept from input to input, as the package reader keeps them from member to member: the
    // first call resets each, and their windows are not allocated again for every input.
    static tarnel::rar::Unpack20 unpack20;
    static tarnel::rar::Unpack15 unpack15;
    for (bool solid : {false, true}) {
        unpack20.unpack(data + 2, size - 2, out.data(), out.size(), solid, nullptr);
        unpack15.unpack(data + 2, size - 2, out.data(), out.size(), solid, nullptr);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnel::rar::Archive archive;
    if (!tarnel::rar::readArchive(data, size, archive, nullptr)) {
        decodeRaw(data, size);
        return 0;
    }
    for (const char* password : {"", "password"}) {
        tarnel::rar::Extractor extractor;
        for (std::size_t i = 0; i < archive.members.size(); ++i) {
            std::vector<std::uint8_t> out;
            std::string error;
            extractor.extract(data, size, archive, i, password, out, &error);
        }
        // Backwards as well, so solid members are asked for before the ones they continue.
        for (std::size_t i = archive.members.size(); i-- > 0;) {
            std::vector<std::uint8_t> out;
            extractor.extract(data, size, archive, i, password, out, nullptr);
        }
    }
    return 0;
}
