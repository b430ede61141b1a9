// Particle system fields, the "dens" allocation and update for the three behaviours. No GL:
// everything here works on the particle arrays with the closed rotation formula.
#include "scene/particle_system.h"

#include "camera/random.h"
#include "camera/rotation.h"

#include <algorithm>

namespace tarnel {

namespace {

constexpr float kCloudRadius = 250.0f;        // the "dens" cloud about the position
constexpr float kStrikeDistance = 16100.0f;   // strike centres from point1
constexpr float kChainLink = 100.8f;          // length of one link of a strike's chain
const Vector3 kUp(0.0f, 1.0f, 0.0f);

}  // namespace

ParticleSystem::ParticleSystem() {
    position.set(0.0f, 0.0f, 0.0f);
    spin = 360.0f * random01();
}

void ParticleSystem::allocateParticles(int count) {
    dens = std::clamp(count, 0, kMaxParticles);
    // A second "dens" line reuses the storage of the first.
    particles.assign(static_cast<std::size_t>(dens), Particle());
    for (Particle& particle : particles) {
        particle.position = position + kCloudRadius * randomUnitVector();
        particle.velocity.set(0.0f, 0.0f, -1000.0f);
        particle.age = 25.0f * random01();
    }
    time = 0.0f;
    timer = 0.0f;
}

void ParticleSystem::update(double elapsedSeconds) {
    if (mode == ParticleMode::None) return;
    float seconds = static_cast<float>(elapsedSeconds);
    timer += seconds;
    switch (mode) {
        case ParticleMode::Line:
        case ParticleMode::Circ:
            moveParticles(seconds);
            if (mode == ParticleMode::Circ && timer > time) startBurst();
            break;
        case ParticleMode::Flash:
            if (timer > time) stepStrike(seconds);
            break;
        case ParticleMode::None:
            break;
    }
}

void ParticleSystem::moveParticles(float seconds) {
    for (Particle& particle : particles) {
        particle.position = particle.position + particle.velocity * seconds;
        particle.velocity = particle.velocity + particle.acceleration * seconds;
        if (mode != ParticleMode::Line) continue;
        // A stream has no phase: the centre sprite stays transparent while particles fly.
        timer = 0.0f;
        particle.age += seconds;
        if (particle.age > particle.lifetime) respawnStreamParticle(particle);
    }
}

// Shot towards -z from the system's position, bending towards +x and +y.
void ParticleSystem::respawnStreamParticle(Particle& particle) {
    float r1 = random01();
    float r2 = random01();
    float r3 = random01();
    particle.position.set(0.0f, 0.0f, 0.0f);
    particle.velocity.set(0.0f, 0.0f, -(2400.0f + 17100.0f * r1));
    particle.acceleration = Vector3(1.0f + r3, r2, 0.0f) * 0.57f * particle.velocity.length();
    particle.age = 0.0f;
    particle.lifetime = 1.0f + 2.0f * random01();
}

// A burst at a new point of the sphere of radius size about point1; one in five is strong,
// its particles shot straight outwards.
void ParticleSystem::startBurst() {
    timer = 0.0f;
    time = 2.0f + random01();
    Vector3 d = randomUnitVector();
    position = point1 + size * d;
    bool strong = random01() < 0.2f;
    Vector3 surface = size * d;
    for (Particle& particle : particles) {
        Vector3 w = randomUnitVector();
        float g = 4.0f * random01();
        Vector3 q = surface;
        rotateAboutAxis(q, w, g);
        particle.position = surface - q;
        float k = 1.0f - 0.25f * g;
        particle.velocity = normalize(1.1f * surface - q) * ((800.0f + 300.0f * random01()) * k);
        if (strong) particle.velocity = d * ((400.0f + 1700.0f * random01()) * k);
        Vector3 turnAxis = randomUnitVector();
        rotateAboutAxis(particle.velocity, turnAxis, 30.0f * random01());
        particle.acceleration = -d * (250.0f + 50.0f * random01());
    }
}

void ParticleSystem::stepStrike(float seconds) {
    spin += 0.3f * seconds;
    timer = 0.0f;
    time = 0.01f + 0.04f * random01();
    sweep += 1;
    if (sweep > 2 * dens) startStrike();
}

// A new strike 16100 units from point1: the chain is walked from the strike centre in
// links of 100.8 turned at random about the strike axis.
void ParticleSystem::startStrike() {
    spin = 0.0f;
    sweep = -dens;
    Vector3 d = randomUnitVector();
    position = point1 + kStrikeDistance * d;
    right = normalize(d);
    Vector3 link = kChainLink * cross(right, kUp);
    Vector3 walk;
    for (Particle& particle : particles) {
        Vector3 v = link;
        rotateAboutAxis(v, right, 30.0f + 180.0f * random01());
        walk = walk + v;
        particle.position = walk;
    }
}

}  // namespace tarnel
