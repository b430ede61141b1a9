// The member index of real archives, and the container's answers to damaged bytes.
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"
#include "assets/rar/rar_format.h"
#include "assets/rar/rar_writer.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

using namespace tarnel::rar;
using tarnel::test::bytesOf;
using tarnel::test::crcOf;
using tarnel::test::readBytes;
using tarnel::test::realRar;

namespace {

Archive readShared(const std::string& name) {
    const std::vector<std::uint8_t> bytes = readBytes(realRar(name));
    Archive archive;
    std::string error;
    EXPECT_TRUE(readArchive(bytes.data(), bytes.size(), archive, &error)) << name << ": " << error;
    EXPECT_EQ(archive.damage, "") << name;
    return archive;
}

// Extracts every member; each either comes out whole with its CRC or fails with a reason.
void expectCleanOutcomes(const std::vector<std::uint8_t>& bytes, const std::string& password) {
    Archive archive;
    std::string error;
    if (!readArchive(bytes.data(), bytes.size(), archive, &error)) {
        EXPECT_FALSE(error.empty());
        return;
    }
    Extractor extractor;
    for (std::size_t i = 0; i < archive.members.size(); ++i) {
        std::vector<std::uint8_t> out;
        if (extractor.extract(bytes.data(), bytes.size(), archive, i, password, out, &error)) {
            EXPECT_EQ(out.size(), archive.members[i].unpackedSize);
            EXPECT_EQ(crcOf(out), archive.members[i].crc);
        } else {
            EXPECT_FALSE(error.empty());
            EXPECT_TRUE(out.empty());
        }
    }
}

}  // namespace

TEST(RarArchive, ReadsMemberTableWithFoldersAndLargeDictionary) {
    const Archive archive = readShared("sharpcompress_Rar2.rar");
    ASSERT_EQ(archive.members.size(), 5u);
    EXPECT_TRUE(archive.members[0].directory());
    EXPECT_EQ(archive.members[0].name, "exe");
    const Member& exe = archive.members[2];
    EXPECT_EQ(exe.name, "exe\\test.exe");
    EXPECT_FALSE(exe.directory());
    EXPECT_EQ(exe.packedSize, 18349u);
    EXPECT_EQ(exe.unpackedSize, 45056u);
    EXPECT_EQ(exe.crc, 0xcfb109c8u);
    EXPECT_EQ(exe.unpackVersion, 20);
    EXPECT_EQ(exe.method, 0x35);
    EXPECT_EQ(exe.dictionaryKiB(), 1024u);
    EXPECT_EQ(exe.hostOs, kHostWin32);
}

TEST(RarArchive, SkipsArchiveAndFileCommentsAndRecoveryRecords) {
    const Archive comments = readShared("rarfile_rar202-comment-nopsw.rar");
    ASSERT_EQ(comments.members.size(), 2u);
    EXPECT_EQ(comments.members[1].name, "FILE2.TXT");
    EXPECT_EQ(comments.members[1].crc, 0x785fc3e3u);
    const Archive oldComments = readShared("rarfile_rar15-comment.rar");
    ASSERT_EQ(oldComments.members.size(), 2u);
    EXPECT_EQ(oldComments.members[0].unpackVersion, 15);
    const Archive recovery = readShared("rarfile_rar2-unix-owner.rar");
    ASSERT_EQ(recovery.members.size(), 1u);
    EXPECT_EQ(recovery.members[0].name, "file.txt");
}

TEST(RarArchive, FlagsEncryptedAndSolidMembers) {
    const Archive solid = readShared("zxtune_test_v2solid5.rar");
    ASSERT_EQ(solid.members.size(), 2u);
    EXPECT_TRUE(solid.mainFlags & kMainSolid);
    EXPECT_FALSE(solid.members[0].solid());
    EXPECT_TRUE(solid.members[1].solid());
    const Archive encrypted = readShared("junrar_rar20-password-stored.rar");
    ASSERT_EQ(encrypted.members.size(), 1u);
    EXPECT_TRUE(encrypted.members[0].encrypted());
    EXPECT_EQ(encrypted.members[0].packedSize, 96u);
}

TEST(RarArchive, RejectsWhatIsNotAnOldRarArchive) {
    const std::vector<std::vector<std::uint8_t>> inputs = {
        {},
        bytesOf("PK\x03\x04 not a rar"),
        {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x01, 0x00, 0, 0, 0, 0},
        {0x52, 0x45, 0x7E, 0x5E, 0, 0, 0, 0},
        {0x52, 0x61, 0x72, 0x21, 0x1A, 0x07, 0x00},  // marker only
    };
    const char* reasons[] = {"not a RAR archive", "not a RAR archive", "RAR 5", "RAR 1.3",
                             "truncated block header"};
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        Archive archive;
        std::string error;
        EXPECT_FALSE(readArchive(inputs[i].data(), inputs[i].size(), archive, &error));
        EXPECT_NE(error.find(reasons[i]), std::string::npos) << error;
    }
}

TEST(RarArchive, DamagedFileHeaderStopsTheIndexWithAReason) {
    std::vector<std::uint8_t> bytes = readBytes(realRar("rarfile_rar202-comment-nopsw.rar"));
    bytes[58 + 32] ^= 0x20;  // a letter of the first member's name
    Archive archive;
    std::string error;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, &error));
    EXPECT_TRUE(archive.members.empty());
    EXPECT_NE(archive.damage.find("header CRC mismatch"), std::string::npos) << archive.damage;
}

TEST(RarArchive, EveryTruncationGivesWholeMembersOrReasons) {
    for (const char* name : {"rarfile_rar202-comment-nopsw.rar", "zxtune_test_v2solid5.rar",
                             "junrar_rar20-password-stored.rar", "junrar_rar15-password-stored.rar",
                             "rarfile_rar2-unix-owner.rar"}) {
        const std::vector<std::uint8_t> whole = readBytes(realRar(name));
        const std::size_t step = whole.size() > 2000 ? 7 : 1;
        for (std::size_t size = 0; size < whole.size(); size += step) {
            SCOPED_TRACE(std::string(name) + " cut at " + std::to_string(size));
            expectCleanOutcomes(std::vector<std::uint8_t>(whole.begin(), whole.begin() + size), "password");
        }
    }
}

TEST(RarArchive, CutsAroundEveryHeaderAndDataBoundaryGiveWholeMembersOrReasons) {
    const std::vector<std::uint8_t> whole = readBytes(realRar("zxtune_test_v2.rar"));
    Archive archive;
    ASSERT_TRUE(readArchive(whole.data(), whole.size(), archive, nullptr));
    std::vector<std::size_t> boundaries = {7, 7 + kMainHeaderSize};
    for (const Member& member : archive.members) {
        boundaries.push_back(member.dataOffset);
        boundaries.push_back(member.dataOffset + static_cast<std::size_t>(member.packedSize));
    }
    for (std::size_t boundary : boundaries) {
        for (std::size_t size : {boundary - 1, boundary, boundary + 1, boundary + 20}) {
            if (size > whole.size()) continue;
            SCOPED_TRACE("cut at " + std::to_string(size));
            expectCleanOutcomes(std::vector<std::uint8_t>(whole.begin(), whole.begin() + static_cast<long>(size)), "");
        }
    }
}

TEST(RarArchive, EveryFlippedByteGivesWholeMembersOrReasons) {
    for (const char* name : {"rarfile_rar202-comment-nopsw.rar", "rarfile_rar202-comment-psw.rar",
                             "junrar_rar20-password-compressed.rar"}) {
        const std::vector<std::uint8_t> whole = readBytes(realRar(name));
        for (std::size_t at = 0; at < whole.size(); ++at) {
            for (std::uint8_t mask : {0x01, 0x80, 0xFF}) {
                SCOPED_TRACE(std::string(name) + " flipped at " + std::to_string(at));
                std::vector<std::uint8_t> bytes = whole;
                bytes[at] ^= mask;
                expectCleanOutcomes(bytes, "password");
            }
        }
    }
}

TEST(RarArchive, NamesMatchWithoutCaseAndWithEitherSlash) {
    EXPECT_TRUE(memberNameMatches("textures\\c.jpg", "TEXTURES/C.JPG"));
    EXPECT_TRUE(memberNameMatches("meshes/sphere.dat", "meshes\\sphere.dat"));
    EXPECT_FALSE(memberNameMatches("textures\\c.jpg", "textures\\c.jp"));
    EXPECT_FALSE(memberNameMatches("textures\\c.jpg", "textures\\d.jpg"));
    EXPECT_FALSE(memberNameMatches("a\\b", "a_b"));
}

TEST(RarArchive, FirstMatchingMemberInArchiveOrderWins) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeStoredArchive({{"Dir\\Same.txt", bytesOf("first"), 0x21},
                                    {"dir/same.TXT", bytesOf("second"), 0x21}},
                                   bytes, nullptr));
    Archive archive;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    EXPECT_EQ(findMember(archive, "DIR/SAME.txt"), 0);
    EXPECT_EQ(findMember(archive, "dir\\same"), -1);
    EXPECT_EQ(archive.members[1].name, "dir\\same.TXT");
}
