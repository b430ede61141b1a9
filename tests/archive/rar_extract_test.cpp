// Every member of the real archives comes out with the size and CRC of its header table, and
// whole outputs match the reference files where they exist.
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"
#include "assets/rar/rar_format.h"
#include "assets/rar/rar_writer.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

using namespace tarnel::rar;
using tarnel::test::crcOf;
using tarnel::test::readBytes;
using tarnel::test::realRar;

namespace {

struct RealMember {
    const char* archive;
    const char* member;
    std::uint32_t size;
    std::uint32_t crc;
    const char* expectedFile;  // reference output beside the archives, or null
};

const RealMember kStored[] = {
    {"rarfile_rar202-comment-nopsw.rar", "FILE1.TXT", 7, 0x7a197dba, nullptr},
    {"rarfile_rar202-comment-nopsw.rar", "FILE2.TXT", 7, 0x785fc3e3, nullptr},
    {"rarfile_rar15-comment.rar", "FILE2.TXT", 8, 0x3c4306f7, nullptr},
    {"zxtune_test_v2.rar", "p0.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"junrar_BoatModernEnglish-regular-unpack20.rar", "LICENSE.txt", 107, 0x8eaf20c4, nullptr},
    {"junrar_BoatModernEnglish-audio-text-unpack20.rar", "LICENSE.txt", 107, 0x8eaf20c4, nullptr},
};

const RealMember kCompressed20[] = {
    {"rarfile_rar2-unix-owner.rar", "file.txt", 4, 0x7e3265a8, nullptr},
    {"junrar_BoatModernEnglish-regular-unpack20.rar", "BoatModernEnglish.wav", 56464, 0x82d2ed89,
     "junrar_BoatModernEnglish.wav"},
    {"junrar_BoatModernEnglish-audio-text-unpack20.rar", "BoatModernEnglish.wav", 56464, 0x82d2ed89,
     "junrar_BoatModernEnglish.wav"},
    {"zxtune_test_v2.rar", "p1.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"zxtune_test_v2.rar", "p2.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"zxtune_test_v2.rar", "p3.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"zxtune_test_v2.rar", "p4.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"zxtune_test_v2.rar", "p5.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"zxtune_test_v2.rar", "pMM.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"zxtune_test_v2solid5.rar", "p5.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"zxtune_test_v2solid5.rar", "p5_solid.bin", 16384, 0x10751aba, "zxtune_etalon.bin"},
    {"sharpcompress_Rar2.rar", "exe\\test.exe", 45056, 0xcfb109c8, nullptr},
    {"sharpcompress_Rar2.rar", "jpg\\test.jpg", 40372, 0x088814e3, nullptr},
    {"sharpcompress_Rar2.rar", "????.txt", 15498, 0x9bd160fa, nullptr},
};

const RealMember kCompressed15[] = {
    {"junrar_BoatModernEnglish-regular-unpack15-dos.rar", "BOATMO~1.WAV", 56464, 0x82d2ed89,
     "junrar_BoatModernEnglish.wav"},
    {"junrar_BoatModernEnglish-regular-unpack15-dos.rar", "LICENSE.TXT", 107, 0x8eaf20c4, nullptr},
    {"rarfile_rar15-comment.rar", "FILE1.TXT", 7, 0xe27f07a9, nullptr},
    {"sharpcompress_Rar15.rar", "EXE\\TEST.EXE", 45056, 0xcfb109c8, nullptr},
    {"sharpcompress_Rar15.rar", "JPG\\TEST.JPG", 40372, 0x088814e3, nullptr},
    {"sharpcompress_Rar15.rar", "TECT.TXT", 15498, 0x9bd160fa, nullptr},
};

std::vector<std::uint8_t> extractShared(const RealMember& real, const std::string& password,
                                        std::string* error) {
    const std::vector<std::uint8_t> bytes = readBytes(realRar(real.archive));
    Archive archive;
    std::vector<std::uint8_t> out;
    if (!readArchive(bytes.data(), bytes.size(), archive, error)) return out;
    const long index = findMember(archive, real.member);
    if (index < 0) {
        *error = "not found";
        return out;
    }
    Extractor extractor;
    extractor.extract(bytes.data(), bytes.size(), archive, static_cast<std::size_t>(index), password,
                      out, error);
    return out;
}

void expectMembers(const RealMember* begin, const RealMember* end, const std::string& password) {
    for (const RealMember* real = begin; real != end; ++real) {
        SCOPED_TRACE(std::string(real->archive) + " " + real->member);
        std::string error;
        const std::vector<std::uint8_t> out = extractShared(*real, password, &error);
        EXPECT_EQ(error, "");
        EXPECT_EQ(out.size(), real->size);
        EXPECT_EQ(crcOf(out), real->crc);
        if (real->expectedFile) {
            EXPECT_EQ(out, readBytes(realRar(real->expectedFile)));
        }
    }
}

}  // namespace

TEST(RarExtract, StoredMembersComeOutWhole) {
    expectMembers(std::begin(kStored), std::end(kStored), "");
}

TEST(RarExtract, StoredDataWithAFlippedByteFailsTheCrc) {
    std::vector<std::uint8_t> bytes = readBytes(realRar("zxtune_test_v2.rar"));
    Archive archive;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    bytes[archive.members[0].dataOffset + 5000] ^= 0x10;
    Extractor extractor;
    std::vector<std::uint8_t> out;
    std::string error;
    EXPECT_FALSE(extractor.extract(bytes.data(), bytes.size(), archive, 0, "", out, &error));
    EXPECT_NE(error.find("CRC mismatch"), std::string::npos) << error;
    EXPECT_TRUE(out.empty());
}

TEST(RarExtract, AbsurdSizesAreRefusedBeforeAllocating) {
    std::vector<std::uint8_t> bytes = readBytes(realRar("zxtune_test_v2.rar"));
    Archive archive;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    std::string error;
    Member huge = archive.members[1];
    huge.unpackedSize = 3ull << 30;
    EXPECT_NE(checkExtractable(huge, "").find("too large"), std::string::npos);
    Member implausible = archive.members[1];
    implausible.unpackedSize = 200u << 20;
    EXPECT_NE(checkExtractable(implausible, "").find("claims"), std::string::npos);
    Member stored = archive.members[0];
    stored.unpackedSize += 1;
    EXPECT_NE(checkExtractable(stored, "").find("packed size"), std::string::npos);
    Member folder = archive.members[0];
    folder.flags |= kFileDirectory;
    EXPECT_NE(checkExtractable(folder, "").find("folder"), std::string::npos);
}

TEST(RarExtract, Rar20CompressedMembersComeOutWhole) {
    expectMembers(std::begin(kCompressed20), std::end(kCompressed20), "");
}

TEST(RarExtract, SolidMembersDecodeInAnyOrder) {
    const std::vector<std::uint8_t> bytes = readBytes(realRar("zxtune_test_v2solid5.rar"));
    const std::vector<std::uint8_t> etalon = readBytes(realRar("zxtune_etalon.bin"));
    Archive archive;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    Extractor extractor;
    std::string error;
    for (std::size_t index : {1, 0, 1, 1, 0}) {
        std::vector<std::uint8_t> out;
        EXPECT_TRUE(extractor.extract(bytes.data(), bytes.size(), archive, index, "", out, &error)) << error;
        EXPECT_EQ(out, etalon) << "member " << index;
    }
}

TEST(RarExtract, SolidRunWithADamagedFirstMemberFailsTheRest) {
    std::vector<std::uint8_t> bytes = readBytes(realRar("zxtune_test_v2solid5.rar"));
    Archive archive;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    bytes[archive.members[0].dataOffset + 4000] ^= 0x55;
    Extractor extractor;
    std::vector<std::uint8_t> out;
    std::string error;
    EXPECT_FALSE(extractor.extract(bytes.data(), bytes.size(), archive, 1, "", out, &error));
    EXPECT_NE(error.find("solid run"), std::string::npos) << error;
    EXPECT_TRUE(out.empty());
}

TEST(RarExtract, Rar15CompressedMembersComeOutWhole) {
    expectMembers(std::begin(kCompressed15), std::end(kCompressed15), "");
    const RealMember encrypted = {"junrar_rar15-password-compressed.rar", "SECRET.TXT", 87, 0x967e05a2, nullptr};
    expectMembers(&encrypted, &encrypted + 1, "password");
}

TEST(RarExtract, SolidRunsRestartAtNonSolidMembersAndSkipStoredOnes) {
    // Two copies of the real solid pair with a stored member between them.
    const std::vector<std::uint8_t> pair = readBytes(realRar("zxtune_test_v2solid5.rar"));
    const std::size_t headEnd = 7 + kMainHeaderSize;
    std::vector<std::uint8_t> stored;
    ASSERT_TRUE(writeStoredArchive({{"between.txt", {'x', 'y'}, 0x21}}, stored, nullptr));
    std::vector<std::uint8_t> bytes(pair.begin(), pair.end());
    bytes.insert(bytes.end(), stored.begin() + static_cast<long>(headEnd), stored.end());
    bytes.insert(bytes.end(), pair.begin() + static_cast<long>(headEnd), pair.end());
    Archive archive;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    ASSERT_EQ(archive.members.size(), 5u);
    const std::vector<std::uint8_t> etalon = readBytes(realRar("zxtune_etalon.bin"));
    Extractor extractor;
    for (std::size_t index : {4, 1, 4, 3, 2, 1, 0, 4}) {
        std::vector<std::uint8_t> out;
        std::string error;
        ASSERT_TRUE(extractor.extract(bytes.data(), bytes.size(), archive, index, "", out, &error)) << error;
        if (index != 2) {
            EXPECT_EQ(out, etalon) << "member " << index;
        }
    }
}
