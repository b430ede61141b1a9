// Extracts members of a read archive into buffers of exactly their unpacked size, CRC-checked.
// Holds the decoder state that solid members continue from, so it belongs to one archive.
#pragma once

#include "assets/rar/rar_archive.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tarnel::rar {

class Unpack15;
class Unpack20;

constexpr std::uint64_t kMaxUnpackedSize = 256ull << 20;  // bytes; larger members are refused

class Extractor {
public:
    Extractor();
    ~Extractor();
    Extractor(const Extractor&) = delete;
    Extractor& operator=(const Extractor&) = delete;

    // bytes and archive must be the ones readArchive saw; the same pair on every call until
    // reset. A solid member first decodes the members it continues from (once: the state
    // carries over when members are asked for in archive order).
    bool extract(const std::uint8_t* bytes, std::size_t size, const Archive& archive,
                 std::size_t index, std::string_view password, std::vector<std::uint8_t>& out,
                 std::string* error);
    // Forgets the solid state, for a new archive.
    void reset();

private:
    bool decode(const std::uint8_t* bytes, const Archive& archive, std::size_t index,
                std::string_view password, std::vector<std::uint8_t>& out, std::string& error);
    bool unpack(const Member& member, const std::uint8_t* packed, std::size_t packedSize, bool solid,
                std::vector<std::uint8_t>& out, std::string& error);
    bool catchUpSolid(const std::uint8_t* bytes, const Archive& archive, std::size_t index,
                      std::string_view password, bool& continued, std::string& error);

    std::unique_ptr<Unpack15> unpack15_;
    std::unique_ptr<Unpack20> unpack20_;
    long solidPosition_ = -1;  // the compressed member whose end state the decoders hold
};

// The reason a member cannot be extracted before any data is read, or empty when it can.
std::string checkExtractable(const Member& member, std::string_view password);

}  // namespace tarnel::rar
