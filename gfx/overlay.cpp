// Overlay and pixel space. Both cover the whole window: entering sets the viewport to it, and
// leaving keeps that viewport, which is also the 3D view's.
#include "gfx/overlay.h"

#include <GL/gl.h>

namespace tarnel::gfx {

namespace {

void beginOrtho(double right, double top) {
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glOrtho(0.0, right, 0.0, top, -1.0, 1.0);
    glViewport(0, 0, screenSize().width, screenSize().height);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

}  // namespace

ScreenSize& screenSize() {
    static ScreenSize size;
    return size;
}

float pictureAspect(const ScreenSize& size) {
    if (size.width <= 0 || size.height <= 0) return 4.0f / 3.0f;
    return static_cast<float>(size.width) / static_cast<float>(size.height);
}

double overlayWidth(const ScreenSize& size) {
    if (size.width <= 0 || size.height <= 0) return kOverlayWidth;
    return kOverlayHeight * size.width / size.height;
}

float pixelsPerOverlayUnit(const ScreenSize& size) {
    return static_cast<float>(size.height) / static_cast<float>(kOverlayHeight);
}

void beginOverlay() { beginOrtho(overlayWidth(), kOverlayHeight); }

void beginPixelOverlay() { beginOrtho(screenSize().width, screenSize().height); }

void endOverlay() {
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHTING);
}

void endPixelOverlay() { endOverlay(); }

void drawTexturedQuad(float left, float bottom, float right, float top, float s0, float t0, float s1, float t1) {
    glBegin(GL_QUADS);
    glTexCoord2f(s0, t0);
    glVertex2f(left, bottom);
    glTexCoord2f(s1, t0);
    glVertex2f(right, bottom);
    glTexCoord2f(s1, t1);
    glVertex2f(right, top);
    glTexCoord2f(s0, t1);
    glVertex2f(left, top);
    glEnd();
}

}  // namespace tarnel::gfx
