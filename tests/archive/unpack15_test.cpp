// The 1.5 decompressor against members of archives made by the real archiver, and its
// behaviour on truncated and damaged packed data.
#include "assets/rar/unpack15.h"
#include "assets/rar/rar_archive.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using tarnel::rar::Unpack15;

namespace {

using tarnel::test::crcOf;
using tarnel::test::readBytes;
using tarnel::test::realRar;

// A member's packed bytes with what its header says about them.
struct PackedMember {
    std::vector<std::uint8_t> packed;
    std::uint32_t unpackedSize = 0;
    std::uint32_t crc = 0;
    std::uint8_t version = 0;
};

PackedMember findMember(const std::string& archiveName, const std::string& name) {
    const std::vector<std::uint8_t> bytes = readBytes(realRar(archiveName));
    tarnel::rar::Archive archive;
    std::string error;
    if (!tarnel::rar::readArchive(bytes.data(), bytes.size(), archive, &error)) {
        ADD_FAILURE() << archiveName << ": " << error;
        return {};
    }
    const long index = tarnel::rar::findMember(archive, name);
    if (index < 0 || archive.members[index].dataTruncated) {
        ADD_FAILURE() << name << " not found whole in " << archiveName;
        return {};
    }
    const tarnel::rar::Member& member = archive.members[index];
    PackedMember result;
    const auto begin = bytes.begin() + std::ptrdiff_t(member.dataOffset);
    result.packed.assign(begin, begin + std::ptrdiff_t(member.packedSize));
    result.unpackedSize = std::uint32_t(member.unpackedSize);
    result.crc = member.crc;
    result.version = member.unpackVersion;
    return result;
}

struct Decoded {
    bool ok = false;
    std::string error;
    std::vector<std::uint8_t> bytes;
};

Decoded decode(Unpack15& unpacker, const std::vector<std::uint8_t>& packed, std::size_t outSize, bool solid = false) {
    Decoded result;
    result.bytes.resize(outSize);
    result.ok = unpacker.unpack(packed.data(), packed.size(), result.bytes.data(), outSize, solid, &result.error);
    return result;
}

struct Unpack15Member {
    const char* archive;
    const char* name;
};

const Unpack15Member kUnpack15Members[] = {
    {"junrar_BoatModernEnglish-regular-unpack15-dos.rar", "BOATMO~1.WAV"},
    {"junrar_BoatModernEnglish-regular-unpack15-dos.rar", "LICENSE.TXT"},
    {"rarfile_rar15-comment.rar", "FILE1.TXT"},
    {"sharpcompress_Rar15.rar", "EXE\\TEST.EXE"},
    {"sharpcompress_Rar15.rar", "JPG\\TEST.JPG"},
    {"sharpcompress_Rar15.rar", "TECT.TXT"},
};

}  // namespace

TEST(Unpack15, EveryRealMemberDecodesToItsRecordedCrc) {
    Unpack15 unpacker;
    for (const Unpack15Member& real : kUnpack15Members) {
        SCOPED_TRACE(std::string(real.archive) + " " + real.name);
        const PackedMember member = findMember(real.archive, real.name);
        ASSERT_EQ(member.version, 15);
        const Decoded out = decode(unpacker, member.packed, member.unpackedSize);
        ASSERT_TRUE(out.ok) << out.error;
        EXPECT_EQ(crcOf(out.bytes), member.crc);
    }
}

TEST(Unpack15, WaveMemberEqualsTheOriginalFile) {
    const PackedMember member = findMember("junrar_BoatModernEnglish-regular-unpack15-dos.rar", "BOATMO~1.WAV");
    Unpack15 unpacker;
    const Decoded out = decode(unpacker, member.packed, member.unpackedSize);
    ASSERT_TRUE(out.ok) << out.error;
    EXPECT_EQ(out.bytes, readBytes(realRar("junrar_BoatModernEnglish.wav")));
}

TEST(Unpack15, NonSolidMemberIgnoresWhatTheObjectDecodedBefore) {
    const PackedMember text = findMember("sharpcompress_Rar15.rar", "TECT.TXT");
    const PackedMember exe = findMember("sharpcompress_Rar15.rar", "EXE\\TEST.EXE");
    Unpack15 fresh;
    const Decoded alone = decode(fresh, text.packed, text.unpackedSize);
    Unpack15 used;
    decode(used, exe.packed, exe.unpackedSize);
    decode(used, exe.packed, 1000);  // stops half way, leaving mid-stream state behind
    const Decoded after = decode(used, text.packed, text.unpackedSize);
    ASSERT_TRUE(after.ok) << after.error;
    EXPECT_EQ(after.bytes, alone.bytes);
    EXPECT_EQ(crcOf(after.bytes), text.crc);
}

TEST(Unpack15, SolidMemberCopiesFromThePreviousMembersWindow) {
    // Hand-coded from a fresh state. First member: flag byte 0x80 (place 128 of the flag
    // list, word 110001011), then literal 'A' (place 65, word 11100101). Second member:
    // flag byte 0x00 (now at place 128, same word), flags 0 0 for a short match, length
    // word 0 (two bytes), distance place word 00000 (distance 1).
    const std::vector<std::uint8_t> first = {0xc5, 0xf2, 0x80};
    const std::vector<std::uint8_t> second = {0xc5, 0x80};
    Unpack15 unpacker;
    const Decoded a = decode(unpacker, first, 1);
    ASSERT_TRUE(a.ok) << a.error;
    EXPECT_EQ(a.bytes, std::vector<std::uint8_t>{'A'});
    const Decoded solid = decode(unpacker, second, 2, true);
    ASSERT_TRUE(solid.ok) << solid.error;
    EXPECT_EQ(solid.bytes, (std::vector<std::uint8_t>{'A', 'A'}));

    Unpack15 fresh;
    decode(fresh, first, 1);
    const Decoded alone = decode(fresh, second, 2, false);
    EXPECT_TRUE(!alone.ok || alone.bytes != solid.bytes);
}

TEST(Unpack15, SolidCallKeepsTheAdaptiveStateFreshObjectStartsClean) {
    const PackedMember text = findMember("sharpcompress_Rar15.rar", "TECT.TXT");
    Unpack15 unpacker;
    const Decoded first = decode(unpacker, text.packed, text.unpackedSize, true);
    ASSERT_TRUE(first.ok) << first.error;
    EXPECT_EQ(crcOf(first.bytes), text.crc);
    // The same stream again as a solid member meets tables that have moved on.
    const Decoded again = decode(unpacker, text.packed, text.unpackedSize, true);
    EXPECT_TRUE(!again.ok || crcOf(again.bytes) != text.crc);
}

TEST(Unpack15, FlagCodeOnePastTheListIsDamage) {
    // Ten one bits make the flag place 256, which no list holds.
    Unpack15 unpacker;
    const Decoded out = decode(unpacker, {0xff, 0xc0, 0x00, 0x00}, 16);
    EXPECT_FALSE(out.ok);
    EXPECT_NE(out.error.find("damaged flag code"), std::string::npos);
}

TEST(Unpack15, ZeroOutputReadsNothing) {
    Unpack15 unpacker;
    std::string error;
    EXPECT_TRUE(unpacker.unpack(nullptr, 0, nullptr, 0, false, &error));
}

TEST(Unpack15, TruncatedPackedDataFailsOrGivesWrongBytes) {
    const PackedMember member = findMember("sharpcompress_Rar15.rar", "TECT.TXT");
    Unpack15 unpacker;
    for (std::size_t keep = 0; keep < member.packed.size(); keep += 97) {
        SCOPED_TRACE(keep);
        const std::vector<std::uint8_t> cut(member.packed.begin(), member.packed.begin() + keep);
        const Decoded out = decode(unpacker, cut, member.unpackedSize);
        EXPECT_TRUE(!out.ok || crcOf(out.bytes) != member.crc);
        if (!out.ok) {
            EXPECT_FALSE(out.error.empty());
        }
    }
}

TEST(Unpack15, EveryRealMemberFailsWithoutItsLastTwoBytes) {
    // The archiver may flush one spare byte, never two.
    Unpack15 unpacker;
    for (const Unpack15Member& real : kUnpack15Members) {
        SCOPED_TRACE(std::string(real.archive) + " " + real.name);
        const PackedMember member = findMember(real.archive, real.name);
        ASSERT_GE(member.packed.size(), 2u);
        const std::vector<std::uint8_t> cut(member.packed.begin(), member.packed.end() - 2);
        const Decoded out = decode(unpacker, cut, member.unpackedSize);
        EXPECT_FALSE(out.ok);
        EXPECT_NE(out.error.find("ends early"), std::string::npos);
    }
}

TEST(Unpack15, FlippedBytesNeverReadOrWriteOutsideTheBuffers) {
    // Run under the sanitizers: every damaged stream must end, cleanly, within the buffers.
    const PackedMember member = findMember("junrar_BoatModernEnglish-regular-unpack15-dos.rar", "BOATMO~1.WAV");
    Unpack15 unpacker;
    int wrong = 0;
    int trials = 0;
    for (std::size_t at = 0; at < member.packed.size(); at += 331) {
        for (std::uint8_t mask : {std::uint8_t(0x01), std::uint8_t(0x80), std::uint8_t(0xff)}) {
            std::vector<std::uint8_t> damaged = member.packed;
            damaged[at] ^= mask;
            const Decoded out = decode(unpacker, damaged, member.unpackedSize);
            ++trials;
            if (!out.ok || crcOf(out.bytes) != member.crc) ++wrong;
        }
    }
    EXPECT_EQ(wrong, trials);
}

TEST(Unpack15, GarbageInputEndsWithinItsBits) {
    std::vector<std::uint8_t> noise(512);
    std::uint32_t state = 12345;
    for (auto& byte : noise) {
        state = state * 214013 + 2531011;
        byte = std::uint8_t(state >> 16);
    }
    Unpack15 unpacker;
    // Far more output than 4096 bits can describe without long matches: the decoder must
    // either produce it from matches or fail at the end of the bits, not run on.
    const Decoded out = decode(unpacker, noise, 1 << 20);
    if (!out.ok) {
        EXPECT_NE(out.error.find("ends early"), std::string::npos);
    }
    const std::vector<std::uint8_t> zeros(64, 0);
    EXPECT_FALSE(decode(unpacker, zeros, 1 << 20).ok);
}
