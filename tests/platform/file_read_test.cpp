// Bounded reads keep at most the bound, whole files below it, across the reader's pieces.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "platform/system.h"

namespace {

std::string writeTemp(const std::string& bytes) {
    std::string path = testing::TempDir() + "tarnel_file_read_test.bin";
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

}  // namespace

TEST(ReadFileBounded, KeepsWholeFilesAndCutsAtTheBound) {
    std::string bytes(200 * 1024 + 7, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<char>(i * 31 + 7);
    std::string path = writeTemp(bytes);
    std::string text = "left over";

    ASSERT_TRUE(tarnel::platform::readFileBounded(path, 1 << 20, text));
    EXPECT_EQ(text, bytes);
    ASSERT_TRUE(tarnel::platform::readFileBounded(path, 100 * 1024 + 3, text));
    EXPECT_EQ(text, bytes.substr(0, 100 * 1024 + 3));
    ASSERT_TRUE(tarnel::platform::readFileBounded(path, 0, text));
    EXPECT_TRUE(text.empty());

    std::remove(path.c_str());
    EXPECT_FALSE(tarnel::platform::readFileBounded(path, 10, text));
}
