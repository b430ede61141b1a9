#include "gfx/loading_screen.h"

#include "../assets/asset_fixtures.h"
#include "assets/loading_tick.h"
#include "gfx/overlay.h"
#include "overlay_fixture.h"

namespace tarnel::gfx::testing {
namespace {

using tarnel::testing::Bytes;
using tarnel::testing::MemberMap;

const Bytes kSignTop{250, 40, 40}, kSignBottom{40, 250, 40}, kLoad{40, 40, 250};

class LoadingScreenGl : public OverlayGl {
protected:
    void SetUp() override {
        OverlayGl::SetUp();
        package.members["textures\\sign.jpg"] =
            tarnel::testing::encodeJpeg(16, 16, 3, tarnel::testing::twoBands(16, 16, kSignTop, kSignBottom));
        package.members["textures\\load.jpg"] =
            tarnel::testing::encodeJpeg(16, 16, 3, tarnel::testing::twoBands(16, 16, kLoad, kLoad));
    }
    void TearDown() override { setLoadingTickHandler(nullptr); }

    static bool near(const Rgb& pixel, const Bytes& want) {
        for (int i = 0; i < 3; ++i)
            if (std::abs(pixel[i] - want[i]) > 8) return false;
        return true;
    }

    // Both pictures about the middle of the overlay, 400 units from its left on a 4:3 window.
    void expectBothPictures() {
        const double middle = overlayWidth() / 2.0;
        EXPECT_TRUE(near(at(middle, 410), kSignTop));     // upper half of the sign
        EXPECT_TRUE(near(at(middle, 290), kSignBottom));  // lower half of the sign
        EXPECT_TRUE(near(at(middle - 90, 270), kSignBottom));
        EXPECT_TRUE(near(at(middle, 140), kLoad));
        EXPECT_TRUE(near(at(middle - 98, 42), kLoad));
        EXPECT_EQ(at(middle, 470), (Rgb{0, 0, 0}));       // above the sign
        EXPECT_EQ(at(middle, 30), (Rgb{0, 0, 0}));        // below the load picture
        EXPECT_EQ(at(middle - 120, 140), (Rgb{0, 0, 0}));  // beside it
        EXPECT_EQ(at(middle + 120, 140), (Rgb{0, 0, 0}));
    }

    MemberMap package;
};

TEST_F(LoadingScreenGl, PicturesLandUprightAtTheirPlaces) {
    loadLoadingImages(package.opener());
    EXPECT_NE(loadingImages().sign.glTexture, 0u);
    EXPECT_NE(loadingImages().load.glTexture, 0u);
    drawLoadingScreen();
    grab();
    expectBothPictures();
}

// On a 16:9 window the overlay is wider than 800 units; the pictures stand in its middle.
TEST_F(LoadingScreenGl, PicturesStaySquareInTheMiddleOfAWideWindow) {
    openWindow(480, 270);
    loadLoadingImages(package.opener());
    drawLoadingScreen();
    grab();
    expectBothPictures();
}

// Each texture of the list sends a tick; the upload between ticks binds other textures,
// and every frame must still show both pictures.
TEST_F(LoadingScreenGl, EveryLoadingTickDrawsTheScreenAgain) {
    loadLoadingImages(package.opener());
    package.members["texture.txt"] = tarnel::testing::textBytes("a.jpg\nb.jpg\nc.jpg\nEND_TEXT\n");
    for (const char* name : {"textures\\a.jpg", "textures\\b.jpg", "textures\\c.jpg"})
        package.members[name] = tarnel::testing::encodeJpeg(8, 8, 3, tarnel::testing::twoBands(8, 8, {9, 9, 9}, {9, 9, 9}));
    int frames = 0;
    setLoadingTickHandler([&] {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        drawLoadingScreen();
        grab();
        ++frames;
        expectBothPictures();
    });
    TextureTable loaded;
    loadTextureList(loaded, "texture.txt", true, package.opener());
    EXPECT_EQ(frames, 3);
    EXPECT_EQ(loaded.entries.size(), 3u);
}

TEST_F(LoadingScreenGl, MissingPictureLeavesItsQuadUntextured) {
    package.members.erase("textures\\load.jpg");
    tarnel::testing::MessageCapture boxes;
    loadLoadingImages(package.opener());
    EXPECT_EQ(loadingImages().load.glTexture, 0u);
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_EQ(boxes.messages[0].text, "ARCH:Can't load JPG file: textures\\load.jpg");
    drawLoadingScreen();
    grab();
    EXPECT_EQ(at(400, 140), (Rgb{255, 255, 255}));
    EXPECT_TRUE(near(at(400, 410), kSignTop));
}

TEST_F(LoadingScreenGl, LeavesTexturingOnAndTheMatricesAsItFoundThem) {
    loadLoadingImages(package.opener());
    glDisable(GL_TEXTURE_2D);
    GlSnapshot before = GlSnapshot::take();
    drawLoadingScreen();
    GlSnapshot after = GlSnapshot::take();
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_EQ(static_cast<GLuint>(after.boundTexture), loadingImages().load.glTexture);
    EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
    EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
    EXPECT_EQ(after.projectionDepth, before.projectionDepth);
    EXPECT_EQ(after.projection, before.projection);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
}  // namespace tarnel::gfx::testing
