// The stored-member writer: what it writes reads back through our reader and through an
// independent reader (Debian's lsar, when installed).
#include "assets/rar/rar_archive.h"
#include "assets/rar/rar_extractor.h"
#include "assets/rar/rar_format.h"
#include "assets/rar/rar_writer.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

using namespace tarnel::rar;
using tarnel::test::bytesOf;
using tarnel::test::crcOf;
using tarnel::test::TempDir;

namespace {

std::vector<WriterEntry> sampleEntries() {
    std::vector<std::uint8_t> binary(70000);
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<std::uint8_t>(i * 7 + (i >> 9));
    return {{"worlds.txt", bytesOf("world\r\nWORLD_END\r\n"), dosTimeOf(2004, 5, 17, 13, 45, 30)},
            {"textures/c.jpg", binary, dosTimeOf(2004, 5, 17, 13, 45, 31)},
            {"meshes\\empty.dat", {}, 0x21}};
}

bool lsarPresent() { return std::system("command -v lsar >/dev/null 2>&1") == 0; }

}  // namespace

TEST(RarWriter, StoredArchiveReadsBackWithNamesTimesAndCrcs) {
    const std::vector<WriterEntry> entries = sampleEntries();
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeStoredArchive(entries, bytes, nullptr));
    Archive archive;
    std::string error;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, &error)) << error;
    EXPECT_EQ(archive.damage, "");
    ASSERT_EQ(archive.members.size(), 3u);
    EXPECT_EQ(archive.members[1].name, "textures\\c.jpg");
    EXPECT_EQ(archive.members[1].dosTime, (((2004u - 1980) << 9 | 5 << 5 | 17) << 16) | (13 << 11 | 45 << 5 | 15));
    Extractor extractor;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        std::vector<std::uint8_t> out;
        ASSERT_TRUE(extractor.extract(bytes.data(), bytes.size(), archive, i, "", out, &error)) << error;
        EXPECT_EQ(out, entries[i].data);
        EXPECT_EQ(archive.members[i].crc, crcOf(entries[i].data));
        EXPECT_EQ(archive.members[i].method, kMethodStore);
    }
}

TEST(RarWriter, RefusesNamesItCannotStore) {
    std::vector<std::uint8_t> bytes;
    std::string error;
    EXPECT_FALSE(writeStoredArchive({{"", bytesOf("x"), 0x21}}, bytes, &error));
    EXPECT_NE(error.find("empty"), std::string::npos);
    EXPECT_TRUE(bytes.empty());
    EXPECT_FALSE(writeStoredArchive({{std::string(2000, 'a'), bytesOf("x"), 0x21}}, bytes, &error));
    EXPECT_NE(error.find("too long"), std::string::npos);
}

TEST(RarWriter, IndependentReaderAcceptsTheArchive) {
    if (!lsarPresent()) GTEST_SKIP() << "lsar (Debian package unar) is not installed";
    TempDir dir("writer");
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeStoredArchive(sampleEntries(), bytes, nullptr));
    const auto path = dir.path() / "sample.rar";
    tarnel::test::writeBytes(path, bytes);
    const std::string command = "lsar -test '" + path.string() + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) output += buffer;
    const int status = pclose(pipe);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("3 passed, 0 failed"), std::string::npos) << output;
    EXPECT_NE(output.find("textures"), std::string::npos) << output;
}

// Running out of memory for one member fails that member, with a reason, instead of ending
// the process. A child process gets an address space too small for the member's data.
TEST(RarExtractMemory, AMemberLargerThanTheMemoryLeftFailsAlone) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer reports a failed allocation instead of throwing";
#endif
    std::vector<std::uint8_t> bytes;
    ASSERT_TRUE(writeStoredArchive({{"big.bin", std::vector<std::uint8_t>(64u << 20)}}, bytes, nullptr));
    Archive archive;
    ASSERT_TRUE(readArchive(bytes.data(), bytes.size(), archive, nullptr));
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        long pages = 0;
        std::ifstream("/proc/self/statm") >> pages;
        const rlim_t room = static_cast<rlim_t>(pages) * static_cast<rlim_t>(sysconf(_SC_PAGESIZE)) + (16u << 20);
        const rlimit limit{room, room};
        if (setrlimit(RLIMIT_AS, &limit) != 0) _exit(2);
        Extractor extractor;
        std::vector<std::uint8_t> out;
        std::string error;
        try {
            const bool ok = extractor.extract(bytes.data(), bytes.size(), archive, 0, "", out, &error);
            _exit(!ok && error.find("not enough memory") != std::string::npos && out.empty() ? 0 : 1);
        } catch (...) {
            _exit(3);  // the failed allocation escaped the extract
        }
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: no failure reported, 3: the allocation failure escaped";
}
