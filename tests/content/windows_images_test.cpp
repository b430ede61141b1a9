// The Windows bitmap and icon files of the program's resources: the resource compiler copies
// them as they are, so their headers, row order, padding and masks must be what Windows reads.
#include <gtest/gtest.h>

#include "content/encode.h"

namespace {

uint32_t read32(const content::Bytes& b, size_t at) {
    return uint32_t(b.at(at)) | uint32_t(b.at(at + 1)) << 8 | uint32_t(b.at(at + 2)) << 16 | uint32_t(b.at(at + 3)) << 24;
}
unsigned read16(const content::Bytes& b, size_t at) { return unsigned(b.at(at)) | unsigned(b.at(at + 1)) << 8; }

// Three pixels wide (rows of 9 bytes, padded to 12), two high, every pixel different.
content::Raster sample() {
    content::Raster image(3, 2);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) image.at(x, y) = content::rgb(x / 2.0f, y, 0.2f * float(x + y));
    return image;
}

}  // namespace

TEST(WindowsImages, bitmapStoresPaddedBgrRowsBottomUp) {
    content::Raster image = sample();
    content::Bytes bmp = content::encodeBmp(image);
    ASSERT_EQ(bmp.size(), 54u + 2 * 12);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(read32(bmp, 2), bmp.size());
    EXPECT_EQ(read32(bmp, 10), 54u);
    EXPECT_EQ(read32(bmp, 14), 40u);
    EXPECT_EQ(read32(bmp, 18), 3u);
    EXPECT_EQ(read32(bmp, 22), 2u);     // positive: bottom row first
    EXPECT_EQ(read16(bmp, 28), 24u);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            size_t at = 54 + size_t(1 - y) * 12 + size_t(x) * 3;
            const content::Rgba& p = image.at(x, y);
            EXPECT_EQ(bmp[at], content::toByte(p.b)) << x << "," << y;
            EXPECT_EQ(bmp[at + 1], content::toByte(p.g));
            EXPECT_EQ(bmp[at + 2], content::toByte(p.r));
        }
    EXPECT_EQ(bmp[54 + 9], 0);          // padding
}

TEST(WindowsImages, iconHoldsEachImageWithItsMask) {
    content::Raster large = sample();
    large.at(2, 0).a = 0;               // transparent: top row, third pixel
    content::Raster small(1, 1, content::rgb(1, 0, 0));
    content::Bytes ico = content::encodeIco({large, small});
    EXPECT_EQ(read16(ico, 0), 0u);
    EXPECT_EQ(read16(ico, 2), 1u);
    ASSERT_EQ(read16(ico, 4), 2u);

    // Directory entries: sizes, 32 bits, and bodies that follow one another to the end.
    size_t end = 6 + 2 * 16;
    const int sides[2][2] = {{3, 2}, {1, 1}};
    for (int i = 0; i < 2; ++i) {
        size_t entry = 6 + size_t(i) * 16;
        EXPECT_EQ(ico[entry], sides[i][0]);
        EXPECT_EQ(ico[entry + 1], sides[i][1]);
        EXPECT_EQ(read16(ico, entry + 6), 32u);
        EXPECT_EQ(read32(ico, entry + 12), end);
        end += read32(ico, entry + 8);
    }
    EXPECT_EQ(end, ico.size());

    // The first body: a 40-byte header with the height doubled for the mask, BGRA rows
    // bottom-up, then 1-bit mask rows padded to four bytes.
    size_t body = read32(ico, 6 + 12);
    EXPECT_EQ(read32(ico, body), 40u);
    EXPECT_EQ(read32(ico, body + 8), 4u);
    size_t topRow = body + 40 + 1 * 3 * 4;
    EXPECT_EQ(ico[topRow + 2 * 4 + 3], 0);      // alpha of the transparent pixel
    EXPECT_EQ(ico[topRow + 3], 255);
    size_t mask = body + 40 + 2 * 3 * 4;
    EXPECT_EQ(ico[mask], 0);                    // bottom row: all opaque
    EXPECT_EQ(ico[mask + 4], 0x20);             // top row: the third pixel's bit
    EXPECT_EQ(read32(ico, body + 20), 2u * 3 * 4 + 2 * 4);
}

TEST(WindowsImages, iconRejectsImagesWindowsCannotHold) {
    EXPECT_THROW(content::encodeIco({content::Raster(257, 16)}), std::invalid_argument);
    EXPECT_THROW(content::encodeIco({content::Raster(0, 0)}), std::invalid_argument);
}
