// Encrypted members: the RAR 1.5 cipher under the right password, and a clean failure with a
// reason for a wrong or missing password and for ciphers the reader does not implement.
#include "assets/archive.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

using tarnel::extractArchiveMember;
using tarnel::ExtractResult;
using tarnel::test::crcOf;
using tarnel::test::realRar;


TEST(RarCipher, Rar15StoredMemberDecryptsUnderItsPassword) {
    const ExtractResult result = extractArchiveMember("secret.txt", realRar("junrar_rar15-password-stored.rar"), "password");
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.data.size(), 87u);
    EXPECT_EQ(crcOf(result.data), 0x967e05a2u);
}

TEST(RarCipher, WrongOrMissingPasswordFailsWithAReason) {
    const std::string archive = realRar("junrar_rar15-password-stored.rar");
    for (const char* password : {"Password", "passwort", "password ", "p", "a much longer password than the data"}) {
        const ExtractResult result = extractArchiveMember("SECRET.TXT", archive, password);
        EXPECT_FALSE(result.ok()) << password;
        EXPECT_TRUE(result.data.empty());
        EXPECT_NE(result.error.find("wrong password"), std::string::npos) << result.error;
    }
    const ExtractResult none = extractArchiveMember("SECRET.TXT", archive, "");
    EXPECT_NE(none.error.find("no password"), std::string::npos) << none.error;
}

TEST(RarCipher, Rar20CipherIsRefusedWithAReason) {
    for (const char* name : {"junrar_rar20-password-stored.rar", "junrar_rar20-password-compressed.rar",
                             "rarfile_rar202-comment-psw.rar"}) {
        const std::string archive = realRar(name);
        for (const char* member : {"SECRET.TXT", "FILE1.TXT"}) {
            const ExtractResult result = extractArchiveMember(member, archive, "password");
            EXPECT_FALSE(result.ok());
            if (result.error.find("no member") == std::string::npos) {
                EXPECT_NE(result.error.find("RAR 2.0 cipher"), std::string::npos) << result.error;
            }
        }
    }
}
