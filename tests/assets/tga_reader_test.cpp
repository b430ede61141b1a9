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

TEST(TgaReader, RefusesDamagedOrUnknownPicturesSayingWhatIsWrong) {
    struct Case {
        Bytes bytes;
        TgaStatus status;
        const char* error;
    };
    Bytes longId = tgaHeader(2, 24, 1, 1);
    longId[0] = 200;
    const Case cases[] = {
        {tgaHeader(2, 24, 2, 2) + Bytes{1, 2, 3}, TgaStatus::damaged, "TGA header says 2x2 but the member has 21 bytes"},
        {tgaHeader(10, 24, 2, 2) + Bytes{0x80, 1, 2, 3}, TgaStatus::damaged,
         "TGA header says 2x2 in run-length packets but the member has 22 bytes"},
        {tgaHeader(1, 8, 1, 1, 1, 4, 24) + Bytes{1, 2, 3}, TgaStatus::damaged,
         "TGA header says a colour map of 4 entries but the member has 21 bytes"},
        {Bytes{0, 0, 2, 0, 0}, TgaStatus::damaged, "the member has 5 bytes, fewer than the 18 of a TGA header"},
        {longId, TgaStatus::damaged, "TGA header says an image ID of 200 bytes but the member has 18 bytes"},
        {tgaHeader(2, 24, 0, 5), TgaStatus::damaged, "TGA header says 0x5: a picture without pixels"},
        // A huge picture in a few bytes is refused before anything is allocated for it.
        {tgaHeader(10, 32, 0xFFFF, 0xFFFF) + Bytes{0xFF, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}, TgaStatus::damaged,
         "TGA header says 65535x65535 but the member has 34 bytes"},
        {tgaHeader(32, 8, 1, 1) + Bytes{1}, TgaStatus::unsupportedType,
         "TGA image type 32 is none of 1, 2, 3, 9, 10 and 11"},
        {tgaHeader(1, 8, 1, 1, 0, 0, 0) + Bytes{0}, TgaStatus::unsupportedType,
         "TGA of type 1 has no 24-bit colour map (map type 0, 0 bits an entry)"},
        {tgaHeader(1, 8, 1, 1, 1, 1, 32) + Bytes{1, 2, 3, 4, 0}, TgaStatus::unsupportedType,
         "TGA of type 1 has no 24-bit colour map (map type 1, 32 bits an entry)"},
        {tgaHeader(2, 15, 1, 1) + Bytes{0, 0}, TgaStatus::unsupportedDepth, "TGA of type 2 cannot have 15 bits a pixel"},
    };
    for (const Case& c : cases) {
        TgaResult result = decode(c.bytes);
        EXPECT_EQ(result.status, c.status) << c.error;
        EXPECT_EQ(result.error, c.error);
        EXPECT_TRUE(result.image.pixels.empty());
    }
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
