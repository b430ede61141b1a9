#include "assets/texture_table.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "assets/loading_tick.h"
#include "assets/texture_upload.h"
#include "platform/offscreen_gl.h"
#include "tests/assets/asset_fixtures.h"

using namespace tarnel;
using namespace tarnel::testing;

namespace {

class TextureTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        gl = platform::OffscreenGl::create(16, 16, &error);
        ASSERT_TRUE(gl) << error;
        package.members["textures\\sky.jpg"] = encodeJpeg(8, 8, 3, twoBands(8, 8, {255, 0, 0}, {0, 0, 255}));
        package.members["textures\\fog.JPG"] = encodeJpeg(4, 4, 1, twoBands(4, 4, {90}, {90}));
        // One 24-bit pixel stored blue, green, red.
        package.members["textures\\glow.tga"] = tgaHeader(2, 24, 1, 1) + Bytes{0, 64, 255};
        package.members["textures\\alpha.TGA"] = tgaHeader(2, 32, 1, 1) + Bytes{10, 20, 30, 40};
        package.members["textures\\deep.tga"] = tgaHeader(2, 15, 1, 1) + Bytes{0, 0};
        setLoadingTickHandler([this] { ++ticks; });
    }
    void TearDown() override { setLoadingTickHandler({}); }

    void loadList(const std::string& list, bool progress = true) {
        package.members["texture.txt"] = textBytes(list);
        loadTextureList(table, "texture.txt", progress, package.opener());
    }

    // Level 0 of a texture as RGBA bytes.
    static Bytes texels(GLuint texture, int& width, int& height) {
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
        Bytes rgba(std::size_t(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        return rgba;
    }

    std::unique_ptr<platform::OffscreenGl> gl;
    MemberMap package;
    TextureTable table;
    int ticks = 0;
};

}  // namespace

TEST_F(TextureTableTest, LoadsEveryListedImageAndTicksOncePerEntry) {
    loadList("sky.jpg\r\nglow.tga\r\nfog.JPG\r\nalpha.TGA\r\nEND_TEXT\r\n");
    ASSERT_EQ(table.entries.size(), 4u);
    EXPECT_STREQ(table.entries[0]->path, "textures\\sky.jpg");
    EXPECT_STREQ(table.entries[1]->path, "textures\\glow.tga");
    EXPECT_STREQ(table.entries[3]->path, "textures\\alpha.TGA");
    for (const auto& entry : table.entries) {
        EXPECT_NE(entry->glTexture, 0u) << entry->path;
        EXPECT_TRUE(glIsTexture(entry->glTexture)) << entry->path;
    }
    EXPECT_EQ(ticks, 4);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(TextureTableTest, SendsNoTicksWithoutTheProgressFlag) {
    loadList("sky.jpg\nglow.tga\nEND_TEXT\n", false);
    EXPECT_EQ(table.entries.size(), 2u);
    EXPECT_EQ(ticks, 0);
}

TEST_F(TextureTableTest, UploadsEachImageInTheFormatItWasDecodedTo) {
    loadList("sky.jpg\nglow.tga\nfog.JPG\nalpha.TGA\nEND_TEXT\n");
    ASSERT_EQ(table.entries.size(), 4u);
    int width = 0, height = 0;

    Bytes sky = texels(table.entries[0]->glTexture, width, height);
    ASSERT_EQ(width, 8);
    EXPECT_NEAR(sky[0], 0, 12);  // bottom row: blue
    EXPECT_NEAR(sky[2], 255, 12);
    EXPECT_NEAR(sky[(7 * 8) * 4], 255, 12);  // top row: red

    Bytes glow = texels(table.entries[1]->glTexture, width, height);
    EXPECT_EQ(Bytes(glow.begin(), glow.begin() + 4), (Bytes{255, 64, 0, 255}));

    Bytes fog = texels(table.entries[2]->glTexture, width, height);
    EXPECT_NEAR(fog[0], 90, 4);
    GLint luminanceBits = 0, redBits = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_LUMINANCE_SIZE, &luminanceBits);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_RED_SIZE, &redBits);
    EXPECT_GT(luminanceBits, 0);
    EXPECT_EQ(redBits, 0);

    Bytes alpha = texels(table.entries[3]->glTexture, width, height);
    EXPECT_EQ(Bytes(alpha.begin(), alpha.begin() + 4), (Bytes{30, 20, 10, 40}));

    glBindTexture(GL_TEXTURE_2D, table.entries[0]->glTexture);
    GLint minFilter = 0, magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(magFilter, GL_LINEAR);
}

TEST_F(TextureTableTest, ScalesSidesThatAreNotPowersOfTwoAndBuildsEveryMipLevel) {
    Bytes pixels(3 * 5 * 3, 128);
    GLuint texture = uploadTexture(3, 5, GL_RGB, pixels.data());
    ASSERT_NE(texture, 0u);
    int width = 0, height = 0;
    texels(texture, width, height);
    EXPECT_EQ(width & (width - 1), 0);
    EXPECT_EQ(height & (height - 1), 0);
    int levels = 0;
    while ((1 << levels) < std::max(width, height)) ++levels;
    GLint smallestWidth = 0, smallestHeight = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, levels, GL_TEXTURE_WIDTH, &smallestWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, levels, GL_TEXTURE_HEIGHT, &smallestHeight);
    EXPECT_EQ(smallestWidth, 1);
    EXPECT_EQ(smallestHeight, 1);
    EXPECT_EQ(uploadTexture(0, 5, GL_RGB, pixels.data()), 0u);
}

TEST_F(TextureTableTest, LeavesTextureZeroForImagesThatCannotBeLoaded) {
    MessageCapture capture;
    loadList("missing.jpg\ndeep.tga\nnotes.txt\nabsent.tga\nEND_TEXT\n");
    ASSERT_EQ(table.entries.size(), 4u);
    for (const auto& entry : table.entries) EXPECT_EQ(entry->glTexture, 0u) << entry->path;
    ASSERT_EQ(capture.messages.size(), 2u);
    EXPECT_EQ(capture.messages[0].text, "ARCH:Can't load JPG file: textures\\missing.jpg");
    EXPECT_EQ(capture.messages[1].text, "Unsupported image depth.");
    EXPECT_EQ(ticks, 4);
}

TEST_F(TextureTableTest, SkipsBlankLinesAndNamesTooLongForAPath) {
    loadList("sky.jpg extra words\n\n   \nabcdefghijklmnopqrstuvw.jpg\nabcdefghijklmnopqr.jpg\nEND_TEXT\nglow.tga\n");
    ASSERT_EQ(table.entries.size(), 2u);
    EXPECT_STREQ(table.entries[0]->path, "textures\\sky.jpg");
    EXPECT_STREQ(table.entries[1]->path, "textures\\abcdefghijklmnopqr.jpg");
    EXPECT_EQ(ticks, 2);
}

TEST_F(TextureTableTest, StopsAtTheEndOfAListWithoutItsTerminator) {
    loadList("sky.jpg\nglow.tga");
    EXPECT_EQ(table.entries.size(), 2u);
    table.entries.clear();
    loadTextureList(table, "no such list", true, package.opener());
    EXPECT_TRUE(table.entries.empty());
}

TEST_F(TextureTableTest, FindsTexturesByTheirExactPath) {
    loadList("sky.jpg\nglow.tga\nsky.jpg\nEND_TEXT\n");
    ASSERT_EQ(table.entries.size(), 3u);
    EXPECT_EQ(findTexture(table, "textures\\sky.jpg"), table.entries[0].get());
    EXPECT_EQ(findTexture(table, "textures\\glow.tga"), table.entries[1].get());
    EXPECT_EQ(findTexture(table, "textures\\SKY.jpg"), nullptr);
    EXPECT_EQ(findTexture(table, "sky.jpg"), nullptr);
}

TEST_F(TextureTableTest, SetTextureTakesTheEntryAndMarksSmallLetterTgaAsAlpha) {
    loadList("sky.jpg\nglow.tga\nalpha.TGA\nEND_TEXT\n");
    bool alphaTexture = false;
    std::uint32_t textureId = 77;

    setTexture("textures\\glow.tga", alphaTexture, textureId, table);
    EXPECT_TRUE(alphaTexture);
    EXPECT_EQ(textureId, table.entries[1]->glTexture);

    setTexture("textures\\alpha.TGA", alphaTexture, textureId, table);
    EXPECT_FALSE(alphaTexture);
    EXPECT_EQ(textureId, table.entries[2]->glTexture);

    setTexture("textures\\unknown.tga", alphaTexture, textureId, table);
    EXPECT_TRUE(alphaTexture);
    EXPECT_EQ(textureId, table.entries[2]->glTexture);

    setTexture("textures\\sky.jpg", alphaTexture, textureId, table);
    EXPECT_FALSE(alphaTexture);
    EXPECT_EQ(textureId, table.entries[0]->glTexture);
    glBindTexture(GL_TEXTURE_2D, textureId);
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), table.entries[0]->glTexture);
}

TEST_F(TextureTableTest, TheProgramHasOneTable) {
    EXPECT_EQ(&textureTable(), &textureTable());
}
