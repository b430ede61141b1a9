// Loading screen. Both pictures are square and centred horizontally in overlay space, which
// is as wide as the window's shape, so they stay square on a wide window.
#include "gfx/loading_screen.h"

#include <GL/gl.h>

#include "gfx/overlay.h"

namespace tarnel::gfx {

namespace {

void drawPicture(const TextureEntry& image, float centreX, float centreY, float halfSize) {
    glBindTexture(GL_TEXTURE_2D, image.glTexture);
    drawTexturedQuad(centreX - halfSize, centreY - halfSize, centreX + halfSize, centreY + halfSize, 0.0f, 0.0f,
                     1.0f, 1.0f);
}

}  // namespace

LoadingImages& loadingImages() {
    static LoadingImages images;
    return images;
}

void loadLoadingImages(const MemberOpener& openMember) {
    LoadingImages& images = loadingImages();
    for (TextureEntry* image : {&images.load, &images.sign}) {
        if (image->glTexture != 0) glDeleteTextures(1, &image->glTexture);
        image->glTexture = 0;
    }
    loadTextureEntry(images.load, "load.jpg", openMember);
    loadTextureEntry(images.sign, "sign.jpg", openMember);
}

void drawLoadingScreen() {
    const LoadingImages& images = loadingImages();
    glEnable(GL_TEXTURE_2D);
    beginOverlay();
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    const float centreX = static_cast<float>(overlayWidth() / 2.0);  // 400 on a 4:3 window
    drawPicture(images.sign, centreX, 350.0f, 110.0f);
    drawPicture(images.load, centreX, 140.0f, 100.0f);
    endOverlay();
}

}  // namespace tarnel::gfx
