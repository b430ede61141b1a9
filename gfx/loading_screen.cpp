// Loading screen. Both pictures are square and centred horizontally in overlay space, so on
// a wide window they stretch with it, like the rest of the overlay.
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
    drawPicture(images.sign, 400.0f, 350.0f, 110.0f);
    drawPicture(images.load, 400.0f, 140.0f, 100.0f);
    endOverlay();
}

}  // namespace tarnel::gfx
