// The system codec's JPEG decoding behind the same contract as libjpeg's: red, green, blue
// or one grey byte, the top row stored last, errors instead of pictures for bad data.
#include "assets/jpeg_reader.h"

#include "asset_fixtures.h"

#include <gtest/gtest.h>

namespace tarnel::testing {
namespace {

Bytes sample(const char* name) { return readTestData(std::string("jpeg/") + name); }

// Within the loss of a quality-95 JPEG.
void expectColour(const Image& image, int row, int r, int g, int b) {
    const std::uint8_t* pixel = image.pixels.data() + static_cast<std::size_t>(row) * image.rowBytes;
    EXPECT_NEAR(pixel[0], r, 12) << "row " << row;
    EXPECT_NEAR(pixel[1], g, 12) << "row " << row;
    EXPECT_NEAR(pixel[2], b, 12) << "row " << row;
}

TEST(SystemJpeg, DecodesColourWithTheTopRowStoredLast) {
    Bytes bands = sample("bands.jpg");  // 16 x 16: red above, blue below
    ASSERT_FALSE(bands.empty());
    JpegResult result = decodeJpeg(bands.data(), bands.size());
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.image.width, 16);
    EXPECT_EQ(result.image.height, 16);
    EXPECT_EQ(result.image.components(), 3);
    ASSERT_EQ(result.image.pixels.size(), 16u * 16u * 3u);
    expectColour(result.image, 0, 0, 0, 255);
    expectColour(result.image, 15, 255, 0, 0);
}

TEST(SystemJpeg, DecodesGreyToOneByteAPixel) {
    Bytes grey = sample("grey.jpg");  // 8 x 8 of 0x80
    JpegResult result = decodeJpeg(grey.data(), grey.size());
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.image.components(), 1);
    ASSERT_EQ(result.image.pixels.size(), 64u);
    EXPECT_NEAR(result.image.pixels[27], 128, 4);
}

TEST(SystemJpeg, DecodesCmykAndYcckSeparationsToRedGreenBlue) {
    for (const char* name : {"cmyk.jpg", "ycck.jpg"}) {  // 16 x 16: red above, blue below
        Bytes bands = sample(name);
        JpegResult result = decodeJpeg(bands.data(), bands.size());
        ASSERT_TRUE(result.ok()) << name << ": " << result.error;
        EXPECT_EQ(result.image.components(), 3) << name;
        ASSERT_EQ(result.image.pixels.size(), 16u * 16u * 3u) << name;
        expectColour(result.image, 0, 0, 0, 255);
        expectColour(result.image, 15, 255, 0, 0);
    }
}

TEST(SystemJpeg, GivesAnErrorForBadTruncatedOrOversizedData) {
    Bytes text = textBytes("not a picture at all");
    EXPECT_FALSE(decodeJpeg(text.data(), text.size()).ok());
    EXPECT_FALSE(decodeJpeg(nullptr, 0).ok());
    Bytes bands = sample("bands.jpg");
    EXPECT_FALSE(decodeJpeg(bands.data(), 40).ok());  // cut inside the headers
    JpegResult tooLarge = decodeJpeg(bands.data(), bands.size(), 255);
    EXPECT_EQ(tooLarge.error, "picture too large");
    EXPECT_TRUE(tooLarge.image.pixels.empty());
}

}  // namespace
}  // namespace tarnel::testing
