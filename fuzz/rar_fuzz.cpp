// Fuzz target of the data package reader: reads the archive index from the bytes and extracts
// every member, without and with a password, through one extractor (so solid runs carry over).
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnel::rar::Archive archive;
    if (!tarnel::rar::readArchive(data, size, archive, nullptr)) return 0;
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
