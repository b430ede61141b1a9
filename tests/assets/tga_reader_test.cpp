#include "assets/tga_reader.h"

#include <gtest/gtest.h>

#include "tests/assets/asset_fixtures.h"

using namespace tarnel;
using namespace tarnel::testing;

namespace {

TgaResult decode(const Bytes& bytes) { return decodeTga(bytes.data(), bytes.size()); }

}  // namespace

TEST(TgaReader, ReordersThirtyTwoBitPixelsToRedGreenBlueAlpha) {
    TgaResult result = decode(tgaHeader(2, 32, 2, 1) + Bytes{10, 20, 30, 40, 1, 2, 3, 4});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.image.pixelDepth, 32);
    EXPECT_EQ(result.image.pixels, (Bytes{30, 20, 10, 40, 3, 2, 1, 4}));
}

TEST(TgaReader, RepeatsOnePixelForARunLengthPacket) {
    TgaResult result = decode(tgaHeader(10, 32, 2, 2) + Bytes{0x83, 10, 20, 30, 40});
    ASSERT_TRUE(result.ok());
    Bytes pixel{30, 20, 10, 40};
    EXPECT_EQ(result.image.pixels, pixel + pixel + pixel + pixel);
}

TEST(TgaReader, MixesRawAndRepeatedPacketsOfTwentyFourBits) {
    TgaResult result = decode(tgaHeader(10, 24, 3, 1) + Bytes{0x01, 1, 2, 3, 4, 5, 6, 0x80, 7, 8, 9});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.image.pixels, (Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(TgaReader, WidensSixteenBitPixelsToBlueGreenRed) {
    TgaResult result = decode(tgaHeader(2, 16, 3, 1) + Bytes{0xFF, 0x7F, 0x1F, 0x00, 0x00, 0xFC});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.image.pixelDepth, 24);
    EXPECT_EQ(result.image.pixels, (Bytes{248, 248, 248, 248, 0, 0, 0, 0, 248}));

    TgaResult runLength = decode(tgaHeader(10, 16, 2, 1) + Bytes{0x81, 0xFF, 0x7F});
    ASSERT_TRUE(runLength.ok());
    EXPECT_EQ(runLength.image.pixels, (Bytes{248, 248, 248, 248, 248, 248}));
}

TEST(TgaReader, KeepsGreyPixelsAsOneByte) {
    TgaResult raw = decode(tgaHeader(3, 8, 2, 1) + Bytes{7, 9});
    ASSERT_TRUE(raw.ok());
    EXPECT_EQ(raw.image.bytesPerPixel(), 1);
    EXPECT_EQ(raw.image.pixels, (Bytes{7, 9}));

    TgaResult runLength = decode(tgaHeader(11, 8, 3, 1) + Bytes{0x82, 5});
    ASSERT_TRUE(runLength.ok());
    EXPECT_EQ(runLength.image.pixels, (Bytes{5, 5, 5}));
}

TEST(TgaReader, LooksColourIndicesUpInThePaletteAndBlacksOutThoseOutsideIt) {
    Bytes palette{1, 2, 3, 4, 5, 6};
    TgaResult result = decode(tgaHeader(1, 8, 3, 1, 1, 2, 24) + palette + Bytes{1, 0, 200});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.image.pixelDepth, 24);
    EXPECT_EQ(result.image.pixels, (Bytes{4, 5, 6, 1, 2, 3, 0, 0, 0}));
    EXPECT_TRUE(result.image.palette.empty());

    TgaResult runLength = decode(tgaHeader(9, 8, 2, 1, 1, 2, 24) + palette + Bytes{0x81, 1});
    ASSERT_TRUE(runLength.ok());
    EXPECT_EQ(runLength.image.pixels, (Bytes{4, 5, 6, 4, 5, 6}));
}

TEST(TgaReader, CutsRunLengthPacketsAtTheEndOfThePicture) {
    TgaResult repeated = decode(tgaHeader(10, 24, 2, 1) + Bytes{0xFF, 1, 2, 3});
    ASSERT_TRUE(repeated.ok());
    EXPECT_EQ(repeated.image.pixels, (Bytes{1, 2, 3, 1, 2, 3}));

    TgaResult raw = decode(tgaHeader(11, 8, 2, 1) + Bytes{0x7F, 1, 2});
    ASSERT_TRUE(raw.ok());
    EXPECT_EQ(raw.image.pixels, (Bytes{1, 2}));
}

TEST(TgaReader, RefusesPicturesShorterThanTheirHeaderSays) {
    EXPECT_EQ(decode(tgaHeader(2, 24, 2, 2) + Bytes{1, 2, 3}).status, TgaStatus::damaged);
    EXPECT_EQ(decode(tgaHeader(10, 24, 2, 2) + Bytes{0x80, 1, 2, 3}).status, TgaStatus::damaged);
    EXPECT_EQ(decode(tgaHeader(1, 8, 1, 1, 1, 4, 24) + Bytes{1, 2, 3}).status, TgaStatus::damaged);
    EXPECT_EQ(decode(Bytes{0, 0, 2, 0, 0}).status, TgaStatus::damaged);
    EXPECT_EQ(decode(tgaHeader(2, 24, 0, 5)).status, TgaStatus::damaged);
    // A huge picture in a few bytes is refused before anything is allocated for it.
    EXPECT_EQ(decode(tgaHeader(10, 32, 0xFFFF, 0xFFFF) + Bytes{0xFF, 1, 2, 3, 4}).status, TgaStatus::damaged);
}

TEST(TgaReader, RefusesUnknownTypesAndColourMapsThatAreNotTwentyFourBits) {
    EXPECT_EQ(decode(tgaHeader(32, 8, 1, 1) + Bytes{1}).status, TgaStatus::unsupportedType);
    EXPECT_EQ(decode(tgaHeader(1, 8, 1, 1, 0, 0, 0) + Bytes{0}).status, TgaStatus::unsupportedType);
    EXPECT_EQ(decode(tgaHeader(1, 8, 1, 1, 1, 1, 32) + Bytes{1, 2, 3, 4, 0}).status, TgaStatus::unsupportedType);
}

TEST(TgaReader, SkipsTheColourMapOfATrueColourPicture) {
    TgaResult result = decode(tgaHeader(2, 24, 1, 1, 1, 2, 16) + Bytes{9, 9, 9, 9} + Bytes{1, 2, 3});
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.image.pixels, (Bytes{1, 2, 3}));
}

TEST(TgaReader, SkipsTheImageId) {
    Bytes file = tgaHeader(3, 8, 1, 1) + Bytes{0xAA, 0xBB} + Bytes{42};
    file[0] = 2;
    TgaResult result = decode(file);
    ASSERT_TRUE(result.ok());
    EXPECT_EQ(result.image.pixels, (Bytes{42}));
}

TEST(TgaReader, ShowsTheDepthMessageOnlyForUnsupportedDepths) {
    MemberMap package;
    package.members["textures\\fifteen.tga"] = tgaHeader(2, 15, 1, 1) + Bytes{0, 0};
    package.members["textures\\mapped16.tga"] = tgaHeader(1, 16, 1, 1, 1, 1, 24) + Bytes{1, 2, 3, 0, 0};
    package.members["textures\\type5.tga"] = tgaHeader(5, 24, 1, 1) + Bytes{1, 2, 3};
    MessageCapture capture;
    TgaImage image;
    EXPECT_FALSE(readTga("textures\\fifteen.tga", image, package.opener()));
    EXPECT_FALSE(readTga("textures\\mapped16.tga", image, package.opener()));
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[0].text, "Unsupported image depth.");
    EXPECT_EQ(capture.messages[0].caption, "TGA");

    EXPECT_FALSE(readTga("textures\\type5.tga", image, package.opener()));
    EXPECT_FALSE(readTga("textures\\missing.tga", image, package.opener()));
    EXPECT_EQ(capture.messages.size(), 2u);
}

TEST(TgaReader, ReadsAMemberIntoTheImage) {
    MemberMap package;
    package.members["textures\\a.tga"] = tgaHeader(2, 32, 1, 1) + Bytes{10, 20, 30, 40};
    TgaImage image;
    ASSERT_TRUE(readTga("textures\\a.tga", image, package.opener()));
    EXPECT_EQ(image.width, 1);
    EXPECT_EQ(image.pixels, (Bytes{30, 20, 10, 40}));
}
