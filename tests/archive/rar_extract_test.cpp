// Every member of the real archives comes out with the size and CRC of its header table, and
// whole outputs match the reference files where they exist.
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"
#include "assets/rar/rar_format.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

using namespace tarnel::rar;
using tarnel::test::crcOf;
using tarnel::test::readBytes;
using tarnel::test::sharedRar;

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

std::vector<std::uint8_t> extractShared(const RealMember& real, const std::string& password,
                                        std::string* error) {
    const std::vector<std::uint8_t> bytes = readBytes(sharedRar(real.archive));
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
            EXPECT_EQ(out, readBytes(sharedRar(real->expectedFile)));
        }
    }
}

}  // namespace

TEST(RarExtract, StoredMembersComeOutWhole) {
    expectMembers(std::begin(kStored), std::end(kStored), "");
}

TEST(RarExtract, StoredDataWithAFlippedByteFailsTheCrc) {
    std::vector<std::uint8_t> bytes = readBytes(sharedRar("zxtune_test_v2.rar"));
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
    std::vector<std::uint8_t> bytes = readBytes(sharedRar("zxtune_test_v2.rar"));
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
