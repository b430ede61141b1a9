// Shared sprite GL steps; the order of the calls is what the sprites rely on.
#include "scene/sprite_gl.h"

#include <GL/gl.h>

namespace tarnel {

namespace {

// 4/3 taken as a float, as every 4:3 frustum of the system does.
constexpr double kEnvAspect = static_cast<double>(4.0f / 3.0f);

}  // namespace

void loadEnvFrustum(float fov) {
    glLoadIdentity();
    glFrustum(-fov * kEnvAspect, fov * kEnvAspect, -fov, fov, 1.0, 1000.0);
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
