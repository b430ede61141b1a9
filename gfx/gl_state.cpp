// The GL start state, applied in a fixed order: the projection and light 1's position are
// given while the matrices are the identity, so the order is part of the result.
#include "gfx/gl_state.h"

#include "gfx/gamma.h"

#include <GL/gl.h>
#include <GL/glext.h>  // enums past OpenGL 1.1 (Windows' gl.h stops at 1.1)

namespace tarnel::gfx {

namespace {

void enableCapabilities() {
    const GLenum capabilities[] = {GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT0,
                                   GL_LIGHT1,     GL_BLEND,      GL_TEXTURE_2D, GL_NORMALIZE};
    for (GLenum capability : capabilities) glEnable(capability);
}

void setProjection(double halfWidth) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glFrustum(-halfWidth, halfWidth, -kFrustumHalfHeight, kFrustumHalfHeight, kFrustumNear, kFrustumFar);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

void setLightModel() {
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glLightModeli(GL_LIGHT_MODEL_COLOR_CONTROL, GL_SEPARATE_SPECULAR_COLOR);
    const GLfloat ambient[] = {0.0f, 0.0f, 0.1f, 0.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
}

void setLights() {
    // Light 1 is the scene's point light; its position is given under the identity matrix.
    const GLfloat position1[] = {0.0f, 0.0f, 9100.0f, 1.0f};
    const GLfloat white[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT1, GL_POSITION, position1);
    glLightfv(GL_LIGHT1, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT1, GL_SPECULAR, white);

    const GLfloat noSpecular[] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat diffuse0[] = {0.3f, 0.3f, 0.3f, 1.0f};
    glLightfv(GL_LIGHT0, GL_SPECULAR, noSpecular);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse0);
    glLightf(GL_LIGHT0, GL_SPOT_EXPONENT, 3.0f);
    glLightf(GL_LIGHT0, GL_SPOT_CUTOFF, 60.0f);
}

}  // namespace

double frustumHalfWidth(const ScreenSize& size) {
    return kFrustumHalfHeight * static_cast<double>(pictureAspect(size));
}

void setupGlState(platform::Platform& platform, const GlStartSettings& settings) {
    enableCapabilities();
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glViewport(0, 0, settings.width, settings.height);
    screenSize() = ScreenSize{settings.width, settings.height};
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    setProjection(frustumHalfWidth(screenSize()));
    // Light 0 is configured for the objects that switch it on themselves; it starts off.
    glDisable(GL_LIGHT0);
    setLightModel();
    setLights();
    if (platform.swapIntervalSettable()) platform.setSwapInterval(settings.vsync ? 1 : 0);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glLineWidth(1.0f);
    if (!settings.defGamma) {
        double exponent = gammaExponent(settings.gamma);
        setGammaRamp(platform, exponent, exponent, exponent);
    }
}

}  // namespace tarnel::gfx
