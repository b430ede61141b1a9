// Mesh draw: state changes, the placement matrices and one list call, in the order that
// fixes the result. Update follows the keyframe track when it holds keys.
#include "scene/mesh.h"

#include "scene/view_cull.h"

#include <GL/gl.h>

namespace tarnel {

namespace {

// The mesh's x axis turned to look, y to right, z to their cross product. The axes are
// used as written: vectors that are not perpendicular unit vectors shear or scale the model.
void multiplyAxes(Vector3 look, Vector3 right) {
    Vector3 side = cross(look, right);
    const GLfloat axes[16] = {look.x,  look.y,  look.z,  0.0f, right.x, right.y, right.z, 0.0f,
                              side.x,  side.y,  side.z,  0.0f, 0.0f,    0.0f,    0.0f,    1.0f};
    glMultMatrixf(axes);
}

void useMetalMaterial() {
    glDisable(GL_COLOR_MATERIAL);
    const GLfloat specular[4] = {0.4f, 0.4f, 0.4f, 1.0f};
    glMaterialfv(GL_FRONT, GL_SPECULAR, specular);
    glMaterialf(GL_FRONT, GL_SHININESS, 19.6f);
    glEnable(GL_LIGHT0);
}

}  // namespace

Mesh::Mesh() { position.set(0.0f, 0.0f, 0.0f); }

void Mesh::update(double elapsedSeconds) {
    if (track.keys.empty()) return;
    trackTime += elapsedSeconds;
    if (auto pose = track.evaluate(trackTime)) position = pose->position;
}

void Mesh::draw(const CameraDirector&) {
    glPushMatrix();
    glTranslatef(position.x, position.y, position.z);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_BLEND);
    glEnable(GL_CULL_FACE);
    multiplyAxes(look, right);
    glRotatef(orientAngle, orientAxis.x, orientAxis.y, orientAxis.z);
    glScalef(scale, scale, scale);

    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    if (hasTexture) glBindTexture(GL_TEXTURE_2D, textureId);
    // Meshes are drawn over what lies behind them without hiding what comes later.
    glDepthMask(GL_FALSE);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, light ? GL_ADD : GL_MODULATE);
    if (illum) glDisable(GL_LIGHTING);
    if (metal) useMetalMaterial();
    if (blend) {
        glEnable(GL_ALPHA_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glDisable(GL_CULL_FACE);
        // Only the first colour component counts: it is the opacity.
        glColor4f(1.0f, 1.0f, 1.0f, color.x);
    }

    callListInView(displayList);

    glDepthMask(GL_TRUE);
    if (metal) glDisable(GL_LIGHT0);
    glEnable(GL_ALPHA_TEST);
    glEnable(GL_BLEND);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glDisable(GL_CULL_FACE);
    glPopMatrix();
}

}  // namespace tarnel
