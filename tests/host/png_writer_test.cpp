#include "host/png_writer.h"

#include <gtest/gtest.h>
#include <png.h>

namespace tarnel {
namespace {

std::vector<std::uint8_t> decodeRgb(const std::vector<std::uint8_t>& bytes, int& width, int& height) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&image, bytes.data(), bytes.size())) return {};
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return {};
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    return pixels;
}

TEST(PngWriter, WritesRgbTopRowFirst) {
    // Two rows as glReadPixels gives them: bottom (red, green) first, then top (blue, white).
    std::vector<std::uint8_t> rgba = {255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 9, 255, 255, 255, 9};
    int width = 0, height = 0;
    std::vector<std::uint8_t> rgb = decodeRgb(encodePng(rgba, 2, 2, true), width, height);
    ASSERT_EQ(width, 2);
    ASSERT_EQ(height, 2);
    EXPECT_EQ(rgb, (std::vector<std::uint8_t>{0, 0, 255, 255, 255, 255, 255, 0, 0, 0, 255, 0}));
    std::vector<std::uint8_t> unflipped = decodeRgb(encodePng(rgba, 2, 2, false), width, height);
    EXPECT_EQ(unflipped[0], 255);
}

TEST(PngWriter, RefusesSizesThatDoNotMatchThePixels) {
    EXPECT_TRUE(encodePng({1, 2, 3, 4}, 2, 1, true).empty());
    EXPECT_TRUE(encodePng({}, 0, 0, true).empty());
    EXPECT_TRUE(encodePng({1, 2, 3, 4}, -1, -1, true).empty());
}

}  // namespace
}  // namespace tarnel
