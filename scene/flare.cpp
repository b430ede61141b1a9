// Flare update (fade, roll, twinkle; no GL) and draw: placement, the occlusion test against
// the frame's depth buffer, the main sprite and the lens effect, all in pixel space.
#include "scene/flare.h"

#include "assets/texture_table.h"
#include "camera/camera_director.h"
#include "camera/random.h"
#include "camera/rotation.h"
#include "gfx/overlay.h"
#include "scene/sprite_gl.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>
#include <cstring>

namespace tarnel {

namespace {

// The depth a light behind the viewer is compared against: no depth value reaches it.
constexpr double kBehindViewerDepth = 1000.0;

// One ghost image of the lens effect: where it sits on the line from the light through the
// screen centre, its size factor and its lens texture slot.
struct Ghost {
    float t;
    float s;
    int tex;
};

constexpr Ghost kGhosts[] = {
    {-0.08f, 1.0f, 1}, {0.21f, 0.1f, 1}, {0.32f, 0.5f, 1},  {0.7f, 0.1f, 1},   {0.85f, 0.8f, 1},
    {0.89f, 0.12f, 1}, {1.21f, 0.5f, 1}, {1.39f, 0.2f, 1},  {1.44f, 0.4f, 1},  {1.8f, 1.3f, 1},
    {-0.3f, 0.5f, 1},  {0.6f, 0.2f, 1},  {0.4f, 0.4f, 1},   {0.75f, 0.3f, 1},  {0.8f, 0.1f, 1},
    {0.49f, 0.42f, 1}, {1.11f, 0.1f, 1}, {1.9f, 0.05f, 1},  {0.44f, 0.6f, 1},  {0.83f, 0.9f, 1},
    {-0.13f, 0.5f, 0}, {0.16f, 0.2f, 0}, {0.55f, 0.4f, 0},
};

// A zero vector stays zero instead of turning into NaN: the light projected exactly onto
// the screen centre or the window origin has no direction there.
Vector3 normalizeOrZero(Vector3 v) {
    float length = v.length();
    return length > 0.0f ? v / length : Vector3();
}

void vertex(Vector3 v) { glVertex3f(v.x, v.y, v.z); }

// A quad of half-size (w, h) about the origin, texture (0, 0) at the bottom left, running
// clockwise as the sprites always have.
void spriteQuad(float w, float h) {
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(-w, -h);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(-w, h);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(w, h);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(w, -h);
    glEnd();
}

void streak(Vector3 at, float scale, Vector3 q1, Vector3 q2, Vector3 q3, Vector3 q4) {
    glLoadIdentity();
    glTranslatef(at.x, at.y, at.z);
    glScalef(scale, scale, 1.0f);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0.0f, 0.0f);
    vertex(q1);
    glTexCoord2f(1.0f, 0.0f);
    vertex(q2);
    glTexCoord2f(0.0f, 1.0f);
    vertex(q3);
    glTexCoord2f(1.0f, 1.0f);
    vertex(q4);
    glEnd();
}

bool endsWithTga(const char* path) {
    std::size_t length = std::strlen(path);
    return length >= 3 && std::strcmp(path + length - 3, "tga") == 0;
}

}  // namespace

void Flare::setLensTexture(int slot, const char* path, const TextureTable& table) {
    if (slot < 0 || slot >= kLensTextureCount) return;
    if (const TextureEntry* entry = findTexture(table, path)) lensTextures[slot] = entry->glTexture;
    if (endsWithTga(path)) alphaTexture = true;
}

void Flare::update(double elapsedSeconds) {
    double dt = elapsedSeconds;
    if (visible) {
        if (fade < 1.0f) fade = static_cast<float>(fade + fadeIn * dt);
        if (fade > 1.0f) fade = 1.0f;
    } else {
        if (fade > 0.0f) fade = static_cast<float>(fade - fadeOut * dt);
        if (fade < 0.0f) fade = 0.0f;
    }
    rotation = wrapDegrees(static_cast<float>(rotation + rotationSpeed * dt));
    // Runs after the clamping above, so fade may stand a little outside 0..1 until the next
    // update.
    twinkleClock = static_cast<float>(twinkleClock + 6.0 * dt);
    if (twinkleClock < twinkleDim)
        fade = static_cast<float>(fade - 0.7 * dt);
    else if (fade > 0.0f)
        fade = static_cast<float>(fade + 0.7 * dt);
    if (twinkleClock > twinkleEnd) {
        float r1 = random01() * flash;
        float r2 = random01() * flash;
        twinkleEnd = (r2 + r1) * 6.0f;
        twinkleDim = r1 * 6.0f;
        twinkleClock = 0.0f;
    }
}

// Env and parent modes; the projection matrix is selected and pushed.
void Flare::place(const CameraDirector& camera) {
    if (env) {
        position = camera.eye + anchor;
        loadEnvFrustum(FOV);
    }
    if (parent != nullptr) {
        Vector3 r = parent->right;
        Vector3 l = parent->look;
        Vector3 n = cross(r, l);
        position = parent->position + anchor.x * r + anchor.y * n + anchor.z * l;
    }
}

// Projects position into window coordinates and compares its depth with the depth buffer.
// False, with window unusable, when the point cannot be projected at all.
bool Flare::occlusionTest(const CameraDirector& camera, Vector3& window) const {
    GLdouble modelview[16], projection[16];
    GLint viewport[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
    glGetDoublev(GL_PROJECTION_MATRIX, projection);
    glGetIntegerv(GL_VIEWPORT, viewport);
    GLdouble wx = 0.0, wy = 0.0, wz = 0.0;
    if (!gluProject(position.x, position.y, position.z, modelview, projection, viewport, &wx, &wy, &wz) ||
        !std::isfinite(wx) || !std::isfinite(wy)) {
        return false;
    }
    window = Vector3(static_cast<float>(wx), static_cast<float>(wy), 0.0f);
    if (env) wz = 1.0;
    // The sign of the cosine is that of the dot product, so an unnormalised direction serves
    // and a light at the eye itself gives no NaN.
    Vector3 direction = env ? anchor : position - camera.position;
    if (dot(direction, camera.look) < 0.0f) wz = kBehindViewerDepth;
    // A pixel outside the viewport has no depth of this frame to read: such a light is
    // off the screen and counts as hidden.
    double px = std::trunc(wx), py = std::trunc(wy);
    bool inside = px >= viewport[0] && px < viewport[0] + viewport[2] && py >= viewport[1] &&
                  py < viewport[1] + viewport[3];
    if (!inside) return false;
    GLfloat depth = 0.0f;
    glReadPixels(static_cast<GLint>(px), static_cast<GLint>(py), 1, 1, GL_DEPTH_COMPONENT, GL_FLOAT, &depth);
    return depth >= wz;
}

// 1 without focus; with it, how closely the view follows the anchor direction, from 0 at
// the focus threshold to 1 straight along it.
float Flare::focusFactor(const CameraDirector& camera) const {
    if (!focusOn) return 1.0f;
    float k = (dot(normalizeOrZero(anchor), camera.look) - focus) / (1.0f - focus);
    return std::isfinite(k) && k > 0.0f ? k : 0.0f;
}

void Flare::drawSprite(const CameraDirector& camera, Vector3 f, Vector3 centre) const {
    gfx::beginPixelOverlay();
    glDisable(GL_LIGHTING);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glColor4f(1.0f, 1.0f, 1.0f, focusFactor(camera) * fade * lumin);
    glTranslatef(f.x, f.y, 0.0f);
    glRotatef(rotation, 0.0f, 0.0f, 1.0f);
    if (orient) {
        float turn = 90.0f * dot(normalizeOrZero(orientVector - centre), normalizeOrZero(f));
        glRotatef(turn, 0.0f, 0.0f, 1.0f);
    }
    spriteQuad(size * xy, size);
    gfx::endPixelOverlay();
}

// Two streaks and the ghosts along v, from the light f through the screen centre.
void Flare::drawLensEffect(Vector3 f, Vector3 centre) const {
    Vector3 v = centre - f;
    float cosA = dot(normalizeOrZero(f), normalizeOrZero(centre));
    Vector3 p = normalizeOrZero(f - centre);
    gfx::beginPixelOverlay();
    glBindTexture(GL_TEXTURE_2D, lensTextures[2]);
    // At the screen centre or the window origin the streaks have no axis: leave them out;
    // so are they, and the ghosts, whose lens slot no texture filled (they would be solid
    // squares).
    if (lensTextures[2] != 0 && v.length() > 0.0f && f.length() > 0.0f) {
        Vector3 s = normalize(v);
        Vector3 r = cross(s, Vector3(0.0f, 0.0f, 1.0f));
        s = 200.0f * s;
        r = 200.0f * r;
        Vector3 q1 = -r - s, q2 = r - s, q3 = -r + s, q4 = r + s;
        glColor4f(0.6f, 0.3f, 0.3f, 0.1f);
        streak(f + 0.5f * v, 1.2f, q1, q2, q3, q4);
        glColor4f(0.8f, 0.8f, 0.9f, 0.15f);
        streak(f + 1.7f * v, 2.2f, -q1, -q2, -q3, -q4);
    }
    for (int i = 0; i < static_cast<int>(sizeof kGhosts / sizeof kGhosts[0]); ++i) {
        const Ghost& ghost = kGhosts[i];
        // p turns in place, so each ghost's turn adds to those before it.
        rotateAboutAxis(p, Vector3(0.0f, 0.0f, 1.0f), 90.0f * cosA * ghost.t);
        if (lensTextures[ghost.tex] == 0) continue;
        Vector3 h = f + ghost.t * v + 2.0f * (2.0f - ghost.t) * p;
        glLoadIdentity();
        glTranslatef(h.x, h.y, h.z);
        glScalef(1.5f, 1.5f, 1.0f);
        if (orient) glRotatef(90.0f * cosA, 0.0f, 0.0f, 1.0f);
        glDisable(GL_LIGHTING);
        glBindTexture(GL_TEXTURE_2D, lensTextures[ghost.tex]);
        // Blue turns negative from the twelfth ghost on; GL clamps it to 0.
        glColor4f(i / 30.0f + 0.3f, 0.2f, 1.0f - i / 10.0f, 0.79f);
        float half = lensSize * ghost.s;
        spriteQuad(half, half);
    }
    gfx::endPixelOverlay();
}

void Flare::draw(const CameraDirector& camera) {
    if (parentNotFound) return;
    glPushMatrix();
    const gfx::ScreenSize& screen = gfx::screenSize();
    Vector3 centre(static_cast<float>(screen.width / 2), static_cast<float>(screen.height / 2), 0.0f);
    if (hasTexture) glBindTexture(GL_TEXTURE_2D, textureId);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    place(camera);
    glMatrixMode(GL_MODELVIEW);

    Vector3 f(NAN, NAN, 0.0f);
    visible = occlusionTest(camera, f);
    if (fade > 0.0f && std::isfinite(f.x)) {
        drawSprite(camera, f, centre);
        if (lenseffect) drawLensEffect(f, centre);
        glEnable(GL_LIGHTING);
    }

    resetTextureMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

}  // namespace tarnel
