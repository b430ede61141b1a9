// Billboard update and draw. The modes are applied in a fixed order (env, parent, facing,
// oreol, sys), so a later mode overrides what an earlier one placed: oreol replaces the
// position of env or parent mode, sys replaces the axes of facing or oreol mode.
#include "scene/billboard.h"

#include "camera/camera_director.h"
#include "camera/random.h"
#include "camera/rotation.h"
#include "scene/sprite_gl.h"

#include <GL/gl.h>

namespace tarnel {

namespace {

void beginEnvProjection(float fov) {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    loadEnvFrustum(fov);
    glMatrixMode(GL_MODELVIEW);
}

void endEnvProjection() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void vertex(Vector3 v) { glVertex3f(v.x, v.y, v.z); }

}  // namespace

Billboard::Billboard() { rotationSpeed = (1.0f - 2.0f * random01()) * 60.0f; }

void Billboard::update(double elapsedSeconds) {
    rotation = wrapDegrees(static_cast<float>(rotation + rotationSpeed * elapsedSeconds));
    flashTime = static_cast<float>(flashTime + elapsedSeconds);
    const float cycle = flashHidden + flashShown;
    if (cycle > 0.0f && cycle < flashTime) flashTime = wrapIntoPeriod(flashTime, cycle);
}

// Steps 3 to 8 of a draw: where the quad stands, its axes and its half-height.
void Billboard::facePlacement(const CameraDirector& camera, float& halfHeight, bool& visible) {
    if (parent != nullptr) position = parent->position + anchor.y * normalize(camera.up);
    halfHeight = size;
    if (!orientOff) {
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        right = Vector3(m[0], m[4], m[8]);
        up = Vector3(m[1], m[5], m[9]);
    }
    if (oreol) {
        Vector3 d = camera.position - anchor;
        float distance = d.length();
        if (distance > 0.0f) {
            float k = oreolRadius / distance;
            position = anchor + normalize(d) * (k * oreolRadius);
            right = normalize(cross(d, camera.up));
            up = normalize(cross(right, d));
            halfHeight = (1.0f - k * k) * oreolRadius + k * size;
        } else {
            visible = false;  // the eye inside the halo's centre: no silhouette to ring
        }
    }
    if (depth) glDisable(GL_DEPTH_TEST);
    if (sys) {
        if (!orientOff) {
            up = normalize(parent->position);
            right = normalize(cross(Vector3(0.0f, 1.0f, 0.0f), up));
        } else {
            up = Vector3(0.0f, 1.0f, 0.0f);
            right = normalize(cross(up, parent->position));
        }
    }
}

void Billboard::setGlState() const {
    if (hasTexture) glBindTexture(GL_TEXTURE_2D, textureId);
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDepthMask(GL_FALSE);
    if (oreol) glDisable(GL_DEPTH_TEST);
    if (blend) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glAlphaFunc(GL_ALWAYS, 0.0f);
    }
    // A parented billboard flickers: a fresh draw of the generator every frame.
    if (parent != nullptr)
        glColor4f(color.x, color.y, color.z, alpha + random01() * 0.3f);
    else
        glColor4f(1.0f, 1.0f, 1.0f, alpha);
}

void Billboard::restoreGlState() const {
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    if (oreol || depth) glEnable(GL_DEPTH_TEST);
    if (blend) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glAlphaFunc(GL_ALWAYS, 0.0f);
    }
    if (env) endEnvProjection();
    glPopMatrix();
    resetTextureMatrix();
}

void Billboard::draw(const CameraDirector& camera) {
    if (!placeable()) return;
    glPushMatrix();
    bool visible = true;
    if (env) {
        position = camera.eye + anchor;
        beginEnvProjection(FOV);
    }
    float s = size;
    facePlacement(camera, s, visible);

    glTranslatef(position.x, position.y, position.z);
    Vector3 r = xy * right;
    Vector3 normal = cross(right, up);
    glRotatef(rotation, normal.x, normal.y, normal.z);
    Vector3 a = (-r - up) * s, b = (r - up) * s, c = (-r + up) * s, d = (r + up) * s;

    setGlState();
    if (flash && flashTime < flashHidden) visible = false;
    loadTextureScale(tiling);
    if (visible) {
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0.0f, 0.0f);
        vertex(a);
        glTexCoord2f(1.0f, 0.0f);
        vertex(b);
        glTexCoord2f(0.0f, 1.0f);
        vertex(c);
        glTexCoord2f(1.0f, 1.0f);
        vertex(d);
        glEnd();
    }
    restoreGlState();
}

}  // namespace tarnel
