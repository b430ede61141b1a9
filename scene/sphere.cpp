// Sphere update (spin, moon orbit, system orbit, satellites, flash timer; no GL) and draw
// (state changes, matrix operations and one list call, in the order that fixes the result).
#include "scene/sphere.h"

#include "assets/mesh_lists.h"
#include "camera/camera_director.h"
#include "camera/random.h"
#include "camera/rotation.h"
#include "scene/sprite_gl.h"
#include "scene/view_cull.h"

#include <GL/gl.h>

#include <cmath>

namespace tarnel {

namespace {

// The system orbit never advances: every sphere on it stands at its angle-0 point.
constexpr float kSystemOrbitAngle = 0.0f;

void selectTextureMatrixIdentity() {
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
}

// The shell's x axis along the line of sight. False when the sphere stands at the camera or
// straight along its up vector, where the frame has no direction.
bool faceCamera(Vector3 position, const CameraDirector& camera) {
    Vector3 toSphere = position - camera.position;
    if (toSphere.length() == 0.0f) return false;
    Vector3 n = normalize(toSphere);
    Vector3 side = cross(n, camera.up);
    if (side.length() == 0.0f) return false;
    Vector3 r = normalize(side);
    Vector3 u = normalize(cross(n, r));
    const GLfloat turn[16] = {n.x, n.y, n.z, 0.0f, r.x, r.y, r.z, 0.0f,
                              u.x, u.y, u.z, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f};
    glMultMatrixf(turn);
    return true;
}

}  // namespace

Sphere::Sphere() {
    displayList = fixedMeshLists().sphereList;
    flashOffsetS = random01();
    flashOffsetT = random01();
    position.set(0.0f, 0.0f, 0.0f);
    moonAngle = 350.0f * random01();
}

void Sphere::update(double elapsedSeconds) {
    float seconds = static_cast<float>(elapsedSeconds);
    rotationAngle = wrapDegrees(rotationAngle + rotationSpeed * seconds);

    if (moon) {
        moonAngle = wrapDegrees(moonAngle + 2.0f * moonSpeed * seconds);
        position = initialPosition;
        rotateAboutAxis(position, rotationAxis, -moonAngle);
        rotationAngle = moonAngle;  // a moon shows its centre the same face
    }

    // After the moon step, so a moon keeps its own orbit only when "orbit" cleared this one.
    if (!light && systemOrbit) {
        if (plt) {
            float r = kSystemOrbitAngle * 6.2831855f / 360.0f;
            position.set(1.5f * kPlanetOrbitRadius * std::cos(r), 0.2f * 1.5f * kPlanetOrbitRadius * std::cos(r),
                         kPlanetOrbitRadius * std::sin(r));
        } else {
            position = initialPosition;
            rotateAboutAxis(position, Vector3(0.0f, 1.0f, 0.0f), kSystemOrbitAngle);
        }
    }

    if (sys) placeSatellite();
    runFlashTimer(seconds);
}

// Relative to the parent; draw adds the parent's position.
void Sphere::placeSatellite() {
    if (!uranmoon) {
        position = initialPosition;
        rotateAboutAxis(position, rotationAxis, rotationAngle);
        return;
    }
    // The orbit lies across the parent's direction from the origin. Without a parent, or
    // with one on the y axis, that direction gives no plane: the satellite stays where the
    // script put it.
    if (parent == nullptr) return;
    Vector3 across = cross(Vector3(0.0f, 1.0f, 0.0f), parent->position);
    if (across.length() == 0.0f) {
        position = initialPosition;
        return;
    }
    position = normalize(across) * initialPosition.x;
    rotateAboutAxis(position, parent->position, rotationAngle);
}

void Sphere::runFlashTimer(float seconds) {
    flashTimer += seconds;
    if (!(flashTimer > flashPeriod)) return;
    flashOn = !flashOn;
    flashTimer -= flashPeriod;
    flashPeriod = 0.5f;
    if (rnd) {
        flashTimer = 0.0f;
        flashPeriod = flashOn ? 0.4f + 0.4f * random01() : 0.1f + 0.1f * random01();
    }
    if (flashOn) {
        flashOffsetS = random01();
        flashOffsetT = random01();
        flashRotation = 180.0f * random01();
    }
}

void Sphere::draw(const CameraDirector& camera) {
    if (placedWithoutParent()) return;

    glPushMatrix();
    if (env) {
        position = camera.eye;
        glDisable(GL_LIGHTING);
        glDisable(GL_DEPTH_TEST);
        glMatrixMode(GL_PROJECTION);
        glPushMatrix();
        loadEnvFrustum(FOV);
        glMatrixMode(GL_MODELVIEW);
    }
    if (light) glDisable(GL_LIGHTING);
    if (sys) position = position + parent->position;
    glTranslatef(position.x, position.y, position.z);

    if (!atmo) {
        glRotatef(orientAngle, orientAxis.x, orientAxis.y, orientAxis.z);
        glRotatef(rotationAngle + detiling, rotationAxis.x, rotationAxis.y, rotationAxis.z);
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glTranslatef(2.0f * rotationAngle / 360.0f * tiling + detiling / 360.0f, 0.0f, 0.0f);
        glMatrixMode(GL_MODELVIEW);
    }
    if (hasTexture) glBindTexture(GL_TEXTURE_2D, textureId);

    if (alpha < 1.0f) {
        glColor4f(1.0f, 1.0f, 1.0f, alpha);
        if (!light) glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        if (!env) glEnable(GL_CULL_FACE);
    } else {
        glDisable(GL_BLEND);
        glEnable(GL_COLOR_MATERIAL);
        if (!env) glEnable(GL_CULL_FACE);
        glColor3f(1.0f, 1.0f, 1.0f);
    }
    if (env) {
        // Seen from inside.
        glEnable(GL_CULL_FACE);
        glCullFace(GL_FRONT);
    }

    if (specular) {
        glDisable(GL_COLOR_MATERIAL);
        const GLfloat highlight[4] = {1.0f, 1.0f, 0.8f, 1.0f};
        glMaterialfv(GL_FRONT, GL_SPECULAR, highlight);
        glMaterialf(GL_FRONT, GL_SHININESS, 15.6f);
    } else {
        const GLfloat none[4] = {0.0f, 0.0f, 0.0f, 0.0f};
        glMaterialfv(GL_FRONT, GL_SPECULAR, none);
        glMaterialf(GL_FRONT, GL_SHININESS, 12.6f);
    }

    if (alphaTexture) {
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_BLEND);
    }
    if (atmo) {
        glEnable(GL_BLEND);
        faceCamera(position, camera);
        glDepthMask(GL_FALSE);
    }
    if (flash) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, alphaTexture ? GL_ONE_MINUS_SRC_ALPHA : GL_ONE);
        float shown = flashOn ? flashTimer / flashPeriod : 1.0f - flashTimer / flashPeriod;
        if (rnd) shown = flashOn ? 0.3f + 0.7f * random01() : 0.0f;
        glColor4f(1.0f, 1.0f, 1.0f, shown);
        glMatrixMode(GL_TEXTURE);
        glTranslatef(flashOffsetS, flashOffsetT, 0.0f);
        if (rnd) glRotatef(flashRotation, 0.0f, 0.0f, 1.0f);
        glMatrixMode(GL_MODELVIEW);
    }
    if (wire) {
        glDisable(GL_LIGHTING);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    glScalef(radius, radius, radius);
    if (sys) {
        glDisable(GL_TEXTURE_2D);
        glColor4f(color.x, color.y, color.z, 1.0f);
    }
    if (mask) {
        // Writes depth and no colour, hiding what is drawn behind it later.
        glEnable(GL_BLEND);
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glColor4f(0.0f, 0.0f, 0.0f, 0.0f);
    }
    if (depth) glDepthMask(GL_FALSE);
    glMatrixMode(GL_TEXTURE);
    glScalef(tiling, tiling, 1.0f);
    glMatrixMode(GL_MODELVIEW);

    // A mask blends a clear colour, which leaves every pixel as it was under each blend
    // function the objects use, so it writes no colour at all: a software renderer then
    // skips reading and writing the colour buffer over the whole disc. A wire sphere sets
    // its own colour and shows.
    const bool colourless = mask && !wire;
    if (colourless) glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    if (wire)
        drawWire();
    else
        callListInView(displayList);
    if (colourless) glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    if (wire) glEnable(GL_LIGHTING);
    if (depth) glDepthMask(GL_TRUE);
    if (mask) {
        glEnable(GL_LIGHTING);
        glEnable(GL_TEXTURE_2D);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    }
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_BLEND);
    if (sys) glEnable(GL_TEXTURE_2D);
    if (env) {
        position = camera.position;
        glEnable(GL_LIGHTING);
        glMatrixMode(GL_PROJECTION);
        glPopMatrix();
        glMatrixMode(GL_MODELVIEW);
        glEnable(GL_DEPTH_TEST);
        glCullFace(GL_BACK);
    }
    selectTextureMatrixIdentity();
    glEnable(GL_LIGHTING);
    selectTextureMatrixIdentity();
    if (atmo || flash) glDepthMask(GL_TRUE);
    if (flash) glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_CULL_FACE);
    glPopMatrix();
}

// Flat in the sphere's colour over the default texture, drawn through everything.
void Sphere::drawWire() {
    glDisable(GL_DEPTH_TEST);
    glEnable(GL_CULL_FACE);
    glColor4f(color.x, color.y, color.z, 1.0f);
    glBindTexture(GL_TEXTURE_2D, 0);
    glMatrixMode(GL_TEXTURE);
    glLoadIdentity();
    glScalef(40.0f, 40.0f, 1.0f);
    glMatrixMode(GL_MODELVIEW);
    callListInView(displayList);
    glEnable(GL_DEPTH_TEST);
    selectTextureMatrixIdentity();
}

}  // namespace tarnel
