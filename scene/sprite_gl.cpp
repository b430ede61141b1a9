// Shared sprite GL steps; the order of the calls is what the sprites rely on.
#include "scene/sprite_gl.h"

#include "gfx/overlay.h"

#include <GL/gl.h>

namespace tarnel {

void loadEnvFrustum(float fov) {
    // The main view's aspect, so a sky with the main view's shape turns with the scene.
    const double aspect = static_cast<double>(gfx::pictureAspect());
    glLoadIdentity();
    glFrustum(-fov * aspect, fov * aspect, -fov, fov, 1.0, 1000.0);
}

void loadTextureScale(float tiling) {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(tiling, tiling, 1.0f);
    glMatrixMode(GL_MODELVIEW);
}

void resetTextureMatrix() {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

}  // namespace tarnel
