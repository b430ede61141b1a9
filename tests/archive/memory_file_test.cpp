#include "assets/memory_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "tests/archive/rar_test_support.h"

using tarnel::MemoryFile;
using tarnel::test::bytesOf;

TEST(MemoryFile, LastLineWithoutFeedIsDeliveredThenEmptyLinesFollow) {
    MemoryFile file;
    file.openBytes("a.txt", bytesOf("abc"));
    char line[MemoryFile::kLineSize];
    EXPECT_EQ(file.readLine(line), 0);
    EXPECT_STREQ(line, "abc");
    EXPECT_EQ(file.readLine(line), 0);
    EXPECT_STREQ(line, "");
}

TEST(MemoryFile, LeadingSpacesAndCarriageReturnsAreDroppedTabsAndTrailingSpacesKept) {
    MemoryFile file;
    file.openBytes("a.txt", bytesOf("  one two\r\n\tsize 3 \nx"));
    char line[MemoryFile::kLineSize];
    EXPECT_EQ(file.readLine(line), 1);
    EXPECT_STREQ(line, "one two");
    EXPECT_EQ(file.readLine(line), 1);
    EXPECT_STREQ(line, "\tsize 3 ");
}

TEST(MemoryFile, EndIsSeenOneReadLate) {
    MemoryFile file;
    file.openBytes("a", bytesOf("0123456789"));
    file.seek(4, 2);
    EXPECT_EQ(file.position, 6u);
    file.seek(10, 0);
    EXPECT_FALSE(file.atEnd());
    char c = 'x';
    file.read(&c, 1);
    EXPECT_TRUE(file.atEnd());
    EXPECT_EQ(c, 0) << "bytes past the end read as zeros";
    EXPECT_EQ(file.position, 11u);
}

TEST(MemoryFile, ReadsPastTheEndAdvanceByTheFullCountAndFillZeros) {
    MemoryFile file;
    file.openBytes("a", bytesOf("ab"));
    char out[6];
    std::memset(out, 'x', sizeof out);
    file.read(out, 6);
    EXPECT_EQ(out[0], 'a');
    EXPECT_EQ(out[1], 'b');
    for (int i = 2; i < 6; ++i) EXPECT_EQ(out[i], 0);
    EXPECT_EQ(file.position, 6u);
    file.readUnlessEnd(out, 2);
    EXPECT_EQ(file.position, 6u) << "readUnlessEnd reads nothing once at the end";
}

TEST(MemoryFile, LongLinesAreCutAtTheBufferAndTheRestConsumed) {
    MemoryFile file;
    file.openBytes("a", bytesOf(std::string(300, 'q') + "\nnext\n"));
    char line[MemoryFile::kLineSize];
    file.readLine(line);
    EXPECT_EQ(std::strlen(line), MemoryFile::kLineSize - 1);
    file.readLine(line);
    EXPECT_STREQ(line, "next");
}

TEST(MemoryFile, EmptyFileEndsCleanlyAndCloseResets) {
    MemoryFile file;
    file.openBytes("empty", {});
    char line[MemoryFile::kLineSize];
    EXPECT_EQ(file.readLine(line), 0);
    EXPECT_STREQ(line, "");
    file.close();
    EXPECT_TRUE(file.data.empty());
    EXPECT_EQ(file.size, 0u);
    EXPECT_EQ(file.position, 0u);
}

TEST(MemoryFile, SeekWithUnknownOriginLeavesPosition) {
    MemoryFile file;
    file.openBytes("a", bytesOf("0123456789"));
    file.seek(3, 0);
    file.seek(2, 1);
    EXPECT_EQ(file.position, 5u);
    file.seek(1, 7);
    EXPECT_EQ(file.position, 5u);
}

TEST(MemoryFile, NameIsBoundedToItsField) {
    MemoryFile file;
    std::string longName(250, 'n');
    file.openBytes(longName.c_str(), {});
    EXPECT_EQ(std::strlen(file.name), MemoryFile::kNameSize - 1);
}
