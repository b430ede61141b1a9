#include "assets/jpeg_reader.h"

#include <cstdlib>

#include <gtest/gtest.h>

#include "tests/assets/asset_fixtures.h"

using namespace tarnel;
using namespace tarnel::testing;

namespace {

const Bytes kRed{250, 0, 0};
const Bytes kBlue{0, 0, 250};

// Compares with the tolerance of lossy coding.
void expectNear(const std::uint8_t* pixel, const Bytes& colour) {
    for (std::size_t i = 0; i < colour.size(); ++i) EXPECT_NEAR(pixel[i], colour[i], 8) << "component " << i;
}

}  // namespace

TEST(JpegReader, DecodesAColourPictureWithItsTopRowStoredLast) {
    Bytes file = encodeJpeg(640, 480, 3, twoBands(640, 480, kRed, kBlue));
    JpegResult result = decodeJpeg(file.data(), file.size());
    ASSERT_TRUE(result.ok()) << result.error;
    const Image& image = result.image;
    EXPECT_EQ(image.width, 640);
    EXPECT_EQ(image.height, 480);
    EXPECT_EQ(image.rowBytes, 1920);
    EXPECT_EQ(image.components(), 3);
    ASSERT_EQ(image.pixels.size(), 1920u * 480u);
    expectNear(image.pixels.data(), kBlue);
    expectNear(image.pixels.data() + 1920u * 479u, kRed);
}

TEST(JpegReader, DecodesAGreyPictureToOneByteAPixel) {
    Bytes file = encodeJpeg(16, 8, 1, twoBands(16, 8, {200}, {30}));
    JpegResult result = decodeJpeg(file.data(), file.size());
    ASSERT_TRUE(result.ok()) << result.error;
    EXPECT_EQ(result.image.components(), 1);
    EXPECT_EQ(result.image.rowBytes, 16);
    expectNear(result.image.pixels.data(), {30});
    expectNear(result.image.pixels.data() + 16 * 7, {200});
}

TEST(JpegReader, EndsATruncatedStreamWithoutReadingPastIt) {
    Bytes file = encodeJpeg(64, 64, 3, twoBands(64, 64, kRed, kBlue));
    // Cut inside the scan data: the decoder gets an end marker and keeps what it has.
    std::size_t scanStart = 0;
    for (std::size_t i = 0; i + 1 < file.size() && !scanStart; ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xDA) scanStart = i;
    ASSERT_GT(scanStart, 0u);
    Bytes scanCut(file.begin(), file.begin() + (scanStart + file.size()) / 2);
    JpegResult partial = decodeJpeg(scanCut.data(), scanCut.size());
    ASSERT_TRUE(partial.ok()) << partial.error;
    EXPECT_EQ(partial.image.pixels.size(), 64u * 64u * 3u);

    // Cut inside the headers: nothing to show, and the reason is kept.
    Bytes headerCut(file.begin(), file.begin() + 40);
    JpegResult failed = decodeJpeg(headerCut.data(), headerCut.size());
    EXPECT_FALSE(failed.ok());
    EXPECT_TRUE(failed.image.pixels.empty());
}

TEST(JpegReader, AbandonsDataThatIsNotAJpeg) {
    Bytes garbage(300);
    for (std::size_t i = 0; i < garbage.size(); ++i) garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
    JpegResult result = decodeJpeg(garbage.data(), garbage.size());
    EXPECT_FALSE(result.ok());
    EXPECT_FALSE(result.error.empty());

    JpegResult empty = decodeJpeg(nullptr, 0);
    EXPECT_FALSE(empty.ok());
}

TEST(JpegReader, AbandonsAPictureWhoseScanIsDamaged) {
    Bytes file = encodeJpeg(32, 32, 3, twoBands(32, 32, kRed, kBlue));
    // Corrupt the frame header's component count so the decoder stops with a fatal error.
    for (std::size_t i = 0; i + 9 < file.size(); ++i)
        if (file[i] == 0xFF && file[i + 1] == 0xC0) {
            file[i + 9] = 0;
            break;
        }
    JpegResult result = decodeJpeg(file.data(), file.size());
    EXPECT_FALSE(result.ok());
}

TEST(JpegReader, ShowsTheLoadMessageOnlyWhenTheMemberIsMissing) {
    MemberMap package;
    package.members["textures\\bad.jpg"] = textBytes("not a picture at all");
    package.members["textures\\good.jpg"] = encodeJpeg(8, 8, 3, twoBands(8, 8, kRed, kBlue));
    MessageCapture capture;
    Image image;
    EXPECT_FALSE(readJpeg("textures\\missing.jpg", image, package.opener()));
    ASSERT_EQ(capture.messages.size(), 1u);
    EXPECT_EQ(capture.messages[0].text, "ARCH:Can't load JPG file: textures\\missing.jpg");
    EXPECT_EQ(capture.messages[0].caption, "Error");

    EXPECT_FALSE(readJpeg("textures\\bad.jpg", image, package.opener()));
    EXPECT_TRUE(readJpeg("textures\\good.jpg", image, package.opener()));
    EXPECT_EQ(image.width, 8);
    EXPECT_EQ(capture.messages.size(), 1u);
}

TEST(JpegReader, RefusesPicturesLargerThanTheLimit) {
    Bytes file = encodeJpeg(64, 32, 3, twoBands(64, 32, kRed, kBlue));
    EXPECT_TRUE(decodeJpeg(file.data(), file.size(), 64 * 32).ok());
    JpegResult refused = decodeJpeg(file.data(), file.size(), 64 * 32 - 1);
    EXPECT_FALSE(refused.ok());
    EXPECT_TRUE(refused.image.pixels.empty());
}

TEST(JpegReader, DecodesCmykAndYcckSeparationsToRedGreenBlue) {
    // 16 x 16, red above and blue below, as Adobe's programs store inks (255 minus each):
    // cmyk.jpg written by libjpeg, ycck.jpg by ImageMagick (tests/data/jpeg/README.md).
    for (const char* name : {"cmyk.jpg", "ycck.jpg"}) {
        Bytes file = readTestData(std::string("jpeg/") + name);
        JpegResult result = decodeJpeg(file.data(), file.size());
        ASSERT_TRUE(result.ok()) << name << ": " << result.error;
        EXPECT_EQ(result.image.components(), 3) << name;
        EXPECT_EQ(result.image.rowBytes, 48) << name;
        expectNear(result.image.pixels.data(), {0, 0, 255});
        expectNear(result.image.pixels.data() + 48 * 15, {255, 0, 0});
    }
    // Without Adobe's marker the values are the inks themselves: the red band's full cyan and
    // black make it black, the blue band's full yellow and black too.
    Bytes unmarked = readTestData("jpeg/cmyk.jpg");
    for (std::size_t i = 2; i + 4 < unmarked.size(); i += 2 + (unmarked[i + 2] << 8 | unmarked[i + 3])) {
        if (unmarked[i + 1] != 0xEE) continue;  // APP14, Adobe's segment
        unmarked.erase(unmarked.begin() + static_cast<long>(i), unmarked.begin() + static_cast<long>(i) + 2 +
                                                                   (unmarked[i + 2] << 8 | unmarked[i + 3]));
        break;
    }
    JpegResult plain = decodeJpeg(unmarked.data(), unmarked.size());
    ASSERT_TRUE(plain.ok()) << plain.error;
    expectNear(plain.image.pixels.data(), {0, 0, 0});
    expectNear(plain.image.pixels.data() + 48 * 15, {0, 0, 0});
}
