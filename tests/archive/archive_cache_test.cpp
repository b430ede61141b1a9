// extractArchiveMember over package files: readable reasons for every failure, and the
// archive kept in memory until the file changes.
#include "assets/archive.h"
#include "assets/archive_cache.h"
#include "assets/memory_file.h"
#include "assets/rar/rar_writer.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

using namespace tarnel;
using tarnel::test::bytesOf;
using tarnel::test::TempDir;

namespace {

std::string writePackage(const std::filesystem::path& path, const std::vector<rar::WriterEntry>& entries) {
    std::vector<std::uint8_t> bytes;
    EXPECT_TRUE(rar::writeStoredArchive(entries, bytes, nullptr));
    tarnel::test::writeBytes(path, bytes);
    return path.string();
}

}  // namespace

TEST(ArchiveMember, FailuresCarryAReasonAndNoData) {
    TempDir dir("failures");
    const std::string package = writePackage(dir.path() / "data.sdd", {{"a.txt", bytesOf("alpha"), 0x21}});
    const std::string notRar = (dir.path() / "plain.sdd").string();
    tarnel::test::writeBytes(notRar, bytesOf("just some text, not an archive"));
    // packageProblem: why the package as a whole is unusable, without the path; empty when
    // only the member is at fault.
    struct Case {
        std::string member, archive, reason, packageProblem;
    } cases[] = {
        {"a.txt", (dir.path() / "missing.sdd").string(), "cannot open archive \"" + (dir.path() / "missing.sdd").string() + "\": No such file", "No such file or directory"},
        {"a.txt", dir.path().string(), "cannot open archive \"" + dir.path().string() + "\": Is a directory", "Is a directory"},
        {"a.txt", notRar, "archive \"" + notRar + "\": not a RAR archive", "not a RAR archive"},
        {"b.txt", package, "no member \"b.txt\"", ""},
    };
    for (const Case& c : cases) {
        const ExtractResult result = extractArchiveMember(c.member, c.archive, "");
        EXPECT_FALSE(result.ok());
        EXPECT_TRUE(result.data.empty());
        EXPECT_NE(result.error.find(c.reason), std::string::npos) << result.error;
        EXPECT_EQ(packageProblem(c.archive), c.packageProblem);
        EXPECT_EQ(result.packageUnusable, !c.packageProblem.empty()) << c.archive;
    }
}

TEST(ArchiveMember, SecondExtractUsesTheArchiveInMemory) {
    TempDir dir("cache");
    const std::string package = writePackage(dir.path() / "data.sdd", {{"scripts\\a.txt", bytesOf("alpha"), 0x21},
                                                                       {"b.txt", bytesOf("beta"), 0x21}});
    ExtractResult first = extractArchiveMember("SCRIPTS/A.TXT", package, "");
    ASSERT_TRUE(first.ok()) << first.error;
    const std::uint64_t reads = archiveFileReads();
    EXPECT_EQ(extractArchiveMember("b.txt", package, "").data, bytesOf("beta"));
    EXPECT_EQ(extractArchiveMember("scripts\\a.txt", package, "").data, bytesOf("alpha"));
    EXPECT_EQ(archiveFileReads(), reads);
}

TEST(ArchiveMember, RewrittenFileIsReadAgain) {
    TempDir dir("rewrite");
    const auto path = dir.path() / "data.sdd";
    writePackage(path, {{"a.txt", bytesOf("alpha"), 0x21}});
    ASSERT_TRUE(extractArchiveMember("a.txt", path.string(), "").ok());
    const auto firstTime = std::filesystem::last_write_time(path);

    writePackage(path, {{"a.txt", bytesOf("gamma"), 0x21}});  // same size, new content
    std::filesystem::last_write_time(path, firstTime + std::chrono::seconds(2));
    const std::uint64_t reads = archiveFileReads();
    EXPECT_EQ(extractArchiveMember("a.txt", path.string(), "").data, bytesOf("gamma"));
    EXPECT_EQ(archiveFileReads(), reads + 1);

    writePackage(path, {{"a.txt", bytesOf("delta and more"), 0x21}});  // new size, same time
    std::filesystem::last_write_time(path, firstTime + std::chrono::seconds(2));
    EXPECT_EQ(extractArchiveMember("a.txt", path.string(), "").data, bytesOf("delta and more"));
    EXPECT_EQ(archiveFileReads(), reads + 2);
}

TEST(ArchiveMember, MemoryFileOpensThroughThePackageRecord) {
    TempDir dir("memfile");
    PackageSource saved = packageSource();
    packageSource().path = writePackage(dir.path() / "data.sdd", {{"textures\\c.txt", bytesOf("one\ntwo"), 0x21}});
    MemoryFile file;
    EXPECT_EQ(file.open("Textures/C.txt"), 1);
    EXPECT_EQ(file.size, 7u);
    char line[MemoryFile::kLineSize];
    file.readLine(line);
    EXPECT_STREQ(line, "one");
    file.close();
    EXPECT_EQ(file.open("textures\\missing.txt"), 0);
    EXPECT_EQ(file.size, 0u);
    packageSource() = saved;
}
