// Encrypted members: the RAR 1.5 and 2.0 ciphers under the right password, each member of a
// solid run from its own key set-up, and a clean failure with a reason for a wrong or missing
// password, for ciphers the reader does not implement and for data that is not whole blocks.
#include "assets/archive.h"
#include "assets/rar/crypt20.h"
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"
#include "assets/rar/rar_format.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

using namespace tarnel::rar;
using tarnel::extractArchiveMember;
using tarnel::ExtractResult;
using tarnel::test::crcOf;
using tarnel::test::readBytes;
using tarnel::test::realRar;

namespace {

// A copy of a real archive (one without header comments) whose members are encrypted as the
// RAR 2.0 cipher does it: packed data padded to whole blocks, a fresh key set-up for each
// member, the unpack version set to version.
std::vector<std::uint8_t> encryptedCopy(const std::vector<std::uint8_t>& bytes, std::uint8_t version,
                                        const char* password) {
    const std::size_t mainEnd = sizeof kMarker + load16(bytes.data() + sizeof kMarker + 5);
    std::vector<std::uint8_t> out(bytes.begin(), bytes.begin() + static_cast<long>(mainEnd));
    for (std::size_t at = mainEnd; at + kBlockHeaderSize <= bytes.size();) {
        const std::uint8_t* p = bytes.data() + at;
        const std::size_t headerSize = load16(p + 5);
        const bool hasData = (load16(p + 3) & kLongBlock) || p[2] == kFileBlock || p[2] == kNewSubBlock;
        const std::size_t dataSize = hasData ? load32(p + 7) : 0;
        std::vector<std::uint8_t> header(p, p + headerSize);
        std::vector<std::uint8_t> data(p + headerSize, p + headerSize + dataSize);
        if (p[2] == kFileBlock) {
            data.resize((data.size() + 15) / 16 * 16);
            Crypt20(password).encrypt(data.data(), data.size());
            store16(header.data() + 3, static_cast<std::uint16_t>(load16(p + 3) | kFileEncrypted));
            store32(header.data() + 7, static_cast<std::uint32_t>(data.size()));
            header[24] = version;
            store16(header.data(), headerCrc(header.data() + 2, header.size() - 2));
        }
        out.insert(out.end(), header.begin(), header.end());
        out.insert(out.end(), data.begin(), data.end());
        at += headerSize + dataSize;
    }
    return out;
}

}  // namespace

TEST(RarCipher, Rar20MembersDecryptUnderTheirPassword) {
    const struct {
        const char* archive;
        const char* member;
        std::uint32_t size;
        std::uint32_t crc;
    } kMembers[] = {
        {"junrar_rar20-password-stored.rar", "SECRET.TXT", 87, 0x967e05a2},
        {"junrar_rar20-password-compressed.rar", "SECRET.TXT", 87, 0x967e05a2},
        {"rarfile_rar202-comment-psw.rar", "FILE1.TXT", 7, 0x7a197dba},
        {"rarfile_rar202-comment-psw.rar", "FILE2.TXT", 7, 0x785fc3e3},
    };
    for (const auto& real : kMembers) {
        const ExtractResult result = extractArchiveMember(real.member, realRar(real.archive), "password");
        ASSERT_TRUE(result.ok()) << real.archive << ": " << result.error;
        EXPECT_EQ(result.data.size(), real.size) << real.archive;
        EXPECT_EQ(crcOf(result.data), real.crc) << real.archive;
    }
}

TEST(RarCipher, WrongOrMissingPasswordFailsWithAReason) {
    const std::pair<const char*, const char*> kMembers[] = {
        {"junrar_rar15-password-stored.rar", "SECRET.TXT"},
        {"junrar_rar20-password-stored.rar", "secret.txt"},
        {"junrar_rar20-password-compressed.rar", "SECRET.TXT"},
        {"rarfile_rar202-comment-psw.rar", "FILE2.TXT"},
    };
    for (const auto& [name, member] : kMembers) {
        const std::string archive = realRar(name);
        for (const char* password : {"Password", "passwort", "password ", "p", "a much longer password than the data"}) {
            const ExtractResult result = extractArchiveMember(member, archive, password);
            EXPECT_FALSE(result.ok()) << name << " " << password;
            EXPECT_TRUE(result.data.empty());
            EXPECT_NE(result.error.find("wrong password or damaged member"), std::string::npos) << result.error;
        }
        const ExtractResult none = extractArchiveMember(member, archive, "");
        EXPECT_NE(none.error.find("no password"), std::string::npos) << none.error;
    }
}

TEST(RarCipher, SolidRunsDecryptEveryMemberFromItsOwnKeySetUp) {
    const std::vector<std::uint8_t> etalon = readBytes(realRar("zxtune_etalon.bin"));
    for (std::uint8_t version : {20, 26}) {
        const std::vector<std::uint8_t> bytes =
            encryptedCopy(readBytes(realRar("zxtune_test_v2solid5.rar")), version, "solid secret");
        Archive archive;
        std::string error;
        ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, &error)) << error;
        ASSERT_EQ(archive.members.size(), 2u);
        ASSERT_TRUE(archive.members[1].solid() && archive.members[1].encrypted());
        Extractor extractor;
        for (std::size_t index : {1, 0, 1}) {
            std::vector<std::uint8_t> out;
            EXPECT_TRUE(extractor.extract(bytes.data(), bytes.size(), archive, index, "solid secret", out, &error))
                << "version " << int(version) << " member " << index << ": " << error;
            EXPECT_EQ(out, etalon) << "version " << int(version) << " member " << index;
        }
    }
}

TEST(RarCipher, CiphersAndPaddingItCannotDecryptAreRefusedBeforeReading) {
    const std::vector<std::uint8_t> bytes = readBytes(realRar("junrar_rar20-password-compressed.rar"));
    Archive archive;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    const struct {
        std::uint8_t version;
        std::uint64_t packedSize;
        const char* reason;
    } kCases[] = {
        {20, 95, "not a whole number of 16-byte blocks"},
        {26, 97, "not a whole number of 16-byte blocks"},
        {13, 96, "RAR 1.3 cipher"},
        {29, 96, "RAR 3 or later cipher"},
    };
    for (const auto& row : kCases) {
        Member member = archive.members[0];
        member.unpackVersion = row.version;
        member.packedSize = row.packedSize;
        EXPECT_NE(checkExtractable(member, "password").find(row.reason), std::string::npos)
            << int(row.version) << ": " << checkExtractable(member, "password");
    }
}


TEST(RarCipher, Rar15StoredMemberDecryptsUnderItsPassword) {
    const ExtractResult result = extractArchiveMember("secret.txt", realRar("junrar_rar15-password-stored.rar"), "password");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.data.size(), 87u);
    EXPECT_EQ(crcOf(result.data), 0x967e05a2u);
}

