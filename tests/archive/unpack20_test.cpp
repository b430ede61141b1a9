// The RAR 2.0 decoder on its own: damaged and truncated packed data fail cleanly, and the
// output buffer is never overrun (ASan builds check that).
#include "assets/rar/rar_archive.h"
#include "assets/rar/unpack20.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

#include <memory>

using namespace tarnel::rar;
using tarnel::test::crcOf;
using tarnel::test::readBytes;
using tarnel::test::realRar;

namespace {

struct Packed {
    std::vector<std::uint8_t> data;
    Member member;
};

Packed packedMember(const std::string& archiveName, const std::string& memberName) {
    const std::vector<std::uint8_t> bytes = readBytes(realRar(archiveName));
    Archive archive;
    EXPECT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    const long index = findMember(archive, memberName);
    EXPECT_GE(index, 0);
    Packed packed;
    packed.member = archive.members[static_cast<std::size_t>(index)];
    const auto begin = bytes.begin() + static_cast<long>(packed.member.dataOffset);
    packed.data.assign(begin, begin + static_cast<long>(packed.member.packedSize));
    return packed;
}

// Decodes into a buffer of exactly the member's size; true when the CRC matches.
bool decodes(Unpack20& decoder, const std::vector<std::uint8_t>& data, const Member& member, bool solid,
             std::string* error) {
    auto out = std::make_unique<std::uint8_t[]>(member.unpackedSize);
    if (!decoder.unpack(data.data(), data.size(), out.get(), member.unpackedSize, solid, error)) return false;
    return crcOf({out.get(), out.get() + member.unpackedSize}) == member.crc;
}

}  // namespace

TEST(Unpack20, TruncatedDataFailsWithAReason) {
    for (const auto& [archive, member] : {std::pair{"zxtune_test_v2.rar", "p3.bin"},
                                          std::pair{"zxtune_test_v2.rar", "pMM.bin"}}) {
        const Packed packed = packedMember(archive, member);
        for (std::size_t size = 0; size + 8 < packed.data.size(); size += 97) {
            SCOPED_TRACE(std::string(member) + " cut at " + std::to_string(size));
            Unpack20 decoder;
            std::string error;
            const std::vector<std::uint8_t> cut(packed.data.begin(), packed.data.begin() + static_cast<long>(size));
            EXPECT_FALSE(decodes(decoder, cut, packed.member, false, &error));
            EXPECT_FALSE(error.empty());
        }
    }
}

TEST(Unpack20, FlippedBitsNeverPassTheCrcSilently) {
    const Packed packed = packedMember("junrar_BoatModernEnglish-audio-text-unpack20.rar", "BoatModernEnglish.wav");
    for (std::size_t at = 0; at < packed.data.size(); at += 211) {
        SCOPED_TRACE("flipped at " + std::to_string(at));
        std::vector<std::uint8_t> damaged = packed.data;
        damaged[at] ^= 0x08;
        Unpack20 decoder;
        EXPECT_FALSE(decodes(decoder, damaged, packed.member, false, nullptr));
    }
}

TEST(Unpack20, OneDecoderServesUnrelatedMembersInTurn) {
    const Packed audio = packedMember("zxtune_test_v2.rar", "pMM.bin");
    const Packed lz = packedMember("zxtune_test_v2.rar", "p5.bin");
    Unpack20 decoder;
    std::string error;
    EXPECT_TRUE(decodes(decoder, audio.data, audio.member, false, &error)) << error;
    EXPECT_TRUE(decodes(decoder, lz.data, lz.member, false, &error)) << error;
    EXPECT_TRUE(decodes(decoder, audio.data, audio.member, false, &error)) << error;
}

TEST(Unpack20, SolidContinuationNeedsThePreviousState) {
    const Packed first = packedMember("zxtune_test_v2solid5.rar", "p5.bin");
    const Packed second = packedMember("zxtune_test_v2solid5.rar", "p5_solid.bin");
    Unpack20 fresh;
    EXPECT_FALSE(decodes(fresh, second.data, second.member, false, nullptr));
    Unpack20 decoder;
    std::string error;
    ASSERT_TRUE(decodes(decoder, first.data, first.member, false, &error)) << error;
    EXPECT_TRUE(decodes(decoder, second.data, second.member, true, &error)) << error;
}

TEST(Unpack20, GarbageFailsOrDecodesWithinBounds) {
    std::vector<std::uint8_t> garbage(4096);
    std::uint32_t state = 12345;
    for (int trial = 0; trial < 50; ++trial) {
        for (auto& byte : garbage) {
            state = state * 1103515245u + 12345u;
            byte = static_cast<std::uint8_t>(state >> 24);
        }
        Unpack20 decoder;
        std::vector<std::uint8_t> out(100000);
        std::string error;
        if (!decoder.unpack(garbage.data(), garbage.size(), out.data(), out.size(), trial % 2 == 1, &error)) {
            EXPECT_FALSE(error.empty());
        }
    }
}
