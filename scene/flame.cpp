// Flame draw: one triangle strip through the four bands, then the ring as a line strip.
#include "scene/flame.h"

#include <GL/gl.h>

#include <cmath>

namespace tarnel {

namespace {

float ringParameter(int i) { return static_cast<float>(i) / Flame::kRingSegments * 6.2831855f; }

}  // namespace

Flame::Flame() { position.set(0.0f, 0.0f, 0.0f); }

void Flame::update(double) {}

// The point at parameter t of the ellipse with z radius `radius`, at the height of the ring
// point with the same parameter (not recomputed from the point's own x).
Vector3 Flame::ringPoint(float t, float radius) const {
    float ringX = std::cos(t) * size * ell + orient.x;
    return Vector3(std::cos(t) * radius * ell + orient.x, ringX * angle + orient.y, std::sin(t) * radius + orient.z);
}

// One run of the strip: ring point in colorfrom, band point in transparent colorto, for
// every ring point. The runs join across their seams inside the one strip.
void Flame::emitBand(Vector3 shift, float radiusChange) {
    for (int i = 0; i <= kRingSegments; ++i) {
        float t = ringParameter(i);
        Vector3 ring = ringPoint(t, size);
        Vector3 band = (radiusChange == 0.0f ? ring : ringPoint(t, size + radiusChange)) + shift;
        glColor4f(colorfrom.x, colorfrom.y, colorfrom.z, 1.0f);
        glVertex3f(ring.x, ring.y, ring.z);
        glColor4f(colorto.x, colorto.y, colorto.z, 0.0f);
        glVertex3f(band.x, band.y, band.z);
    }
}

void Flame::draw(const CameraDirector&) {
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glDepthMask(GL_FALSE);

    // Blending and its function as the previous object left them: after the usual
    // (source alpha, one) the bands add light.
    glBegin(GL_TRIANGLE_STRIP);
    emitBand(Vector3(0.0f, offset, 0.0f), 0.0f);
    emitBand(Vector3(0.0f, -offset, 0.0f), 0.0f);
    emitBand(Vector3(), -offset);
    emitBand(Vector3(), offset);
    glEnd();

    glDisable(GL_BLEND);
    glBegin(GL_LINE_STRIP);
    glColor4f(colorfrom.x, colorfrom.y, colorfrom.z, 1.0f);
    for (int i = 0; i <= kRingSegments; ++i) {
        Vector3 ring = ringPoint(ringParameter(i), size);
        glVertex3f(ring.x, ring.y, ring.z);
    }
    glEnd();

    glEnable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    glDepthMask(GL_TRUE);
}

}  // namespace tarnel
