// Particle system draw: the centre sprite and one sprite per particle, each a textured
// quad turned about its normal, added onto the picture with the function (source alpha, one).
#include "scene/particle_system.h"

#include "camera/random.h"

#include <GL/gl.h>

#include <cmath>

namespace tarnel {

namespace {

const Vector3 kUp(0.0f, 1.0f, 0.0f);

// A quad of half-size h on the axes a and b, texture corners on its corners.
void drawSprite(Vector3 a, Vector3 b, float h) {
    const Vector3 corners[4] = {(-a - b) * h, (a - b) * h, (-a + b) * h, (a + b) * h};
    const float texCoords[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}, {1.0f, 1.0f}};
    glBegin(GL_TRIANGLE_STRIP);
    for (int k = 0; k < 4; ++k) {
        glTexCoord2f(texCoords[k][0], texCoords[k][1]);
        glVertex3f(corners[k].x, corners[k].y, corners[k].z);
    }
    glEnd();
}

// One particle's sprite: at its position, turned by degrees about the sprite normal.
void drawParticleSprite(Vector3 at, float degrees, Vector3 a, Vector3 b, float h) {
    Vector3 n = cross(a, b);
    glPushMatrix();
    glTranslatef(at.x, at.y, at.z);
    glRotatef(degrees, n.x, n.y, n.z);
    drawSprite(a, b, h);
    glPopMatrix();
}

// Fades in over the first half of a phase and out over the second.
float phaseOpacity(float u) { return 1.0f - std::fabs(2.0f * u - 1.0f); }

}  // namespace

void ParticleSystem::draw(const CameraDirector&) {
    if (mode == ParticleMode::None) return;
    glPushMatrix();
    if (mode == ParticleMode::Flash)
        drawFlash();
    else
        drawStreamOrBurst();
    glPopMatrix();
}

void ParticleSystem::drawStreamOrBurst() {
    // The camera's right and up in world coordinates, from the view the frame loaded.
    GLfloat m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    const Vector3 screenRight(m[0], m[4], m[8]);
    const Vector3 screenUp(m[1], m[5], m[9]);
    // The centre sprite stands across the axis from point1 to the position.
    Vector3 axis = position - point1;
    Vector3 across = cross(axis, kUp);

    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_ALPHA_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glTranslatef(position.x, position.y, position.z);

    const float u = phase();
    // An axis along y, or of no length, gives the centre sprite no plane: it is left out.
    if (across.length() > 0.0f) {
        Vector3 p = normalize(across);
        Vector3 q = normalize(cross(p, axis));
        glColor4f(1.0f, 1.0f, 1.0f, phaseOpacity(u));
        drawSprite(p, q, 2000.0f);
    }

    const float turns = static_cast<float>(dens);
    for (int i = 0; i < dens; ++i) {
        const Particle& particle = particles[static_cast<std::size_t>(i)];
        float spread = turns - 2.0f * static_cast<float>(i);
        if (mode == ParticleMode::Line) {
            float z = particle.position.z;
            // Before its first flight a particle has no lifetime and is not seen.
            float shown = particle.lifetime > 0.0f ? 1.0f - particle.age / particle.lifetime : 0.0f;
            glColor4f(1.0f, 1.0f, 1.0f, shown);
            drawParticleSprite(particle.position, 20.0f * z * spread, screenRight, screenUp, 800.0f - 0.2f * z);
        } else {
            glColor4f(1.0f, 1.0f, 1.0f, phaseOpacity(u));
            drawParticleSprite(particle.position, 20.0f * u * spread, screenRight, screenUp, 500.0f);
        }
    }
    glEnable(GL_DEPTH_TEST);
}

void ParticleSystem::drawFlash() {
    glBindTexture(GL_TEXTURE_2D, textureId);
    glDisable(GL_LIGHTING);
    glEnable(GL_CULL_FACE);
    glCullFace(GL_FRONT);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);

    // Without particles there is no chain to draw on, nor a count to fade by.
    if (dens > 0) {
        const float u = spin / 0.1f;
        const float strikes = static_cast<float>(dens);
        glColor4f(1.0f, 1.0f, 1.0f, 0.2f + 0.4f * random01() - 0.2f * std::fabs(static_cast<float>(sweep)) / strikes);
        size = 2000.0f + 1000.0f * random01();
        glTranslatef(position.x, position.y, position.z);
        glDepthMask(GL_FALSE);

        // Across the strike axis; deliberately not normalised.
        const Vector3 a = cross(right, kUp);
        const Vector3 b = cross(a, right);
        const Vector3 n = cross(a, b);
        glNormal3f(n.x, n.y, n.z);
        drawParticleSprite(particles[static_cast<std::size_t>(dens / 2)].position, 360.0f * random01(), a, b, size);

        size = 250.0f;
        for (int i = 0; i < dens; ++i) {
            float distance = static_cast<float>(i < sweep ? sweep - i : i - sweep);
            float fade = 1.0f - distance / strikes;
            glColor4f(1.0f, 1.0f, 1.0f, 0.4f * random01() + fade);
            drawParticleSprite(particles[static_cast<std::size_t>(i)].position,
                               20.0f * u * (strikes - 2.0f * static_cast<float>(i)), a, b, size);
        }
    }

    glEnable(GL_ALPHA_TEST);
    glDepthMask(GL_TRUE);
    glEnable(GL_LIGHTING);
    glCullFace(GL_BACK);
    glDisable(GL_CULL_FACE);
}

}  // namespace tarnel
