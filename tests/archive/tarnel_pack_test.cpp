// tarnel-pack as a user runs it: exit status and output of each command.
#include "assets/rar/rar_writer.h"
#include "tests/archive/rar_test_support.h"
#include "tests/support/tool_run.h"

#include <gtest/gtest.h>

using tarnel::test::bytesOf;
using tarnel::test::pack;
using tarnel::test::quote;
using tarnel::test::readBytes;
using tarnel::test::TempDir;
using tarnel::test::ToolRun;

namespace {

class TarnelPack : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(dir.path() / "src" / "textures");
        tarnel::test::writeBytes(dir.path() / "src" / "worlds.txt", bytesOf("world\nWORLD_END\n"));
        tarnel::test::writeBytes(dir.path() / "src" / "textures" / "b.tga", bytesOf("BBBB"));
        tarnel::test::writeBytes(dir.path() / "src" / "env.txt", bytesOf("ENV_END\n"));
        archive = dir.path() / "data.sdd";
    }
    TempDir dir{"pack"};
    std::filesystem::path archive;
};

}  // namespace

TEST_F(TarnelPack, BuildThenListShowsSortedMembersWithBackslashes) {
    ToolRun build = pack("build " + quote(dir.path() / "src") + " -o " + quote(archive));
    ASSERT_EQ(build.status, 0) << build.output;
    ToolRun list = pack("list " + quote(archive));
    ASSERT_EQ(list.status, 0) << list.output;
    const auto env = list.output.find("env.txt");
    const auto texture = list.output.find("textures\\b.tga");
    const auto worlds = list.output.find("worlds.txt");
    ASSERT_NE(env, std::string::npos) << list.output;
    ASSERT_NE(texture, std::string::npos) << list.output;
    ASSERT_NE(worlds, std::string::npos) << list.output;
    EXPECT_LT(env, texture);
    EXPECT_LT(texture, worlds);
    EXPECT_NE(list.output.find("store"), std::string::npos);
    EXPECT_NE(list.output.find("3 member(s)"), std::string::npos);
}

TEST_F(TarnelPack, ExtractWritesTheMemberAndTestChecksEveryOne) {
    ASSERT_EQ(pack("build " + quote(dir.path() / "src") + " -o " + quote(archive)).status, 0);
    const auto out = dir.path() / "b.out";
    ToolRun extract = pack("extract " + quote(archive) + " TEXTURES/B.TGA -o " + quote(out));
    EXPECT_EQ(extract.status, 0) << extract.output;
    EXPECT_EQ(readBytes(out.string()), bytesOf("BBBB"));
    ToolRun test = pack("test " + quote(archive));
    EXPECT_EQ(test.status, 0) << test.output;
    EXPECT_NE(test.output.find("OK      textures\\b.tga"), std::string::npos) << test.output;
    EXPECT_NE(test.output.find("3 member(s) OK, 0 failed"), std::string::npos) << test.output;
}

TEST_F(TarnelPack, BuildWithAPasswordEncryptsEveryMemberAndUnpackRestoresTheFolders) {
    ToolRun build = pack("build " + quote(dir.path() / "src") + " --password 'two words' -o " + quote(archive));
    ASSERT_EQ(build.status, 0) << build.output;
    ToolRun list = pack("list " + quote(archive));
    std::size_t encrypted = 0;
    for (std::size_t at = 0; (at = list.output.find("[encrypted]", at)) != std::string::npos; ++at) ++encrypted;
    EXPECT_EQ(encrypted, 3u) << list.output;
    for (const char* password : {"", " -p 'two word'"}) {
        ToolRun test = pack("test " + quote(archive) + password);
        EXPECT_EQ(test.status, 1) << test.output;
        EXPECT_NE(test.output.find("0 member(s) OK, 3 failed"), std::string::npos) << test.output;
    }
    const auto out = dir.path() / "out";
    ToolRun unpack = pack("unpack " + quote(archive) + " " + quote(out) + " -p 'two words'");
    ASSERT_EQ(unpack.status, 0) << unpack.output;
    EXPECT_EQ(readBytes((out / "textures" / "b.tga").string()), bytesOf("BBBB"));
    EXPECT_EQ(readBytes((out / "worlds.txt").string()), bytesOf("world\nWORLD_END\n"));
    EXPECT_NE(unpack.output.find("3 member(s) unpacked"), std::string::npos) << unpack.output;
}

TEST_F(TarnelPack, UnpackKeepsEveryMemberInsideTheFolder) {
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(tarnel::rar::writeStoredArchive({{"..\\escaped.txt", bytesOf("x")},
                                                 {"a\\..\\..\\escaped.txt", bytesOf("x")},
                                                 {"C:\\escaped.txt", bytesOf("x")},
                                                 {"\\rooted\\.\\kept.txt", bytesOf("kept")},
                                                 {"\\ROOTED\\.\\KEPT.TXT", bytesOf("a later copy")}},
                                                bytes, nullptr));
    tarnel::test::writeBytes(archive, bytes);
    const auto out = dir.path() / "deep" / "out";
    ToolRun unpack = pack("unpack " + quote(archive) + " " + quote(out));
    EXPECT_EQ(unpack.status, 1) << unpack.output;
    EXPECT_NE(unpack.output.find("1 member(s) unpacked into " + out.string() + ", 3 failed"), std::string::npos)
        << unpack.output;
    EXPECT_NE(unpack.output.find("SKIPPED \\ROOTED\\.\\KEPT.TXT"), std::string::npos) << unpack.output;
    EXPECT_EQ(readBytes((out / "rooted" / "kept.txt").string()), bytesOf("kept"));
    for (const auto& folder : {dir.path(), dir.path() / "deep", out})
        EXPECT_FALSE(std::filesystem::exists(folder / "escaped.txt")) << folder;
}

TEST_F(TarnelPack, BadInputGivesAMessageAndNonZeroStatus) {
    ASSERT_EQ(pack("build " + quote(dir.path() / "src") + " -o " + quote(archive)).status, 0);
    ToolRun missing = pack("extract " + quote(archive) + " nothing.txt -o " + quote(dir.path() / "x"));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.output.find("no member \"nothing.txt\""), std::string::npos) << missing.output;

    std::vector<std::uint8_t> damaged = readBytes(archive.string());
    damaged[damaged.size() - 2] ^= 0x40;  // inside the last member's data
    tarnel::test::writeBytes(archive, damaged);
    ToolRun test = pack("test " + quote(archive));
    EXPECT_EQ(test.status, 1);
    EXPECT_NE(test.output.find("CRC mismatch"), std::string::npos) << test.output;

    ToolRun notArchive = pack("list " + quote(dir.path() / "src" / "env.txt"));
    EXPECT_EQ(notArchive.status, 1);
    EXPECT_NE(notArchive.output.find("not a RAR archive"), std::string::npos) << notArchive.output;
    ToolRun absent = pack("list " + quote(dir.path() / "absent.sdd"));
    EXPECT_EQ(absent.status, 1);
    EXPECT_NE(absent.output.find("cannot open archive \"" + (dir.path() / "absent.sdd").string() + "\": No such file"),
              std::string::npos) << absent.output;

    EXPECT_EQ(pack("").status, 2);
    EXPECT_EQ(pack("frobnicate x").status, 2);
    EXPECT_EQ(pack("list").status, 2);
    EXPECT_EQ(pack("build " + quote(dir.path() / "src")).status, 2);
    EXPECT_EQ(pack("list " + quote(archive) + " -z").status, 2);
    EXPECT_EQ(pack("unpack " + quote(archive)).status, 2);
    EXPECT_EQ(pack("build " + quote(dir.path() / "src") + " -o " + quote(archive) + " --password ''").status, 2);
}
