// The particle system: textured sprites added onto the picture, with one of three
// behaviours: a stream shot away from a point (line), bursts on a sphere around point1
// (circ), or flash strikes whose brightness sweeps along a jagged chain (flash). The "dens"
// line fixes the number of particles; update and draw allocate nothing.
//
// GL state a draw leaves behind. Line and circ: modelview matrix as found; depth test
// enabled; lighting and the alpha test disabled; blend function (source alpha, one);
// textureId bound. Flash: modelview matrix as found; lighting, the alpha test and depth
// writes enabled; face culling disabled with cull face back; blend function (source alpha,
// one); textureId bound; the current normal the strike's sprite normal. A system without a
// behaviour draws nothing and leaves the state as found.
#pragma once

#include "scene/scene_object.h"

#include <vector>

namespace tarnel {

enum class ParticleMode { None, Line, Circ, Flash };

// Relative to the system's position.
class Particle {
public:
    Vector3 position;      // world units
    Vector3 velocity;      // world units per second
    Vector3 acceleration;  // world units per second squared
    float age = 0.0f;      // seconds
    float lifetime = 0.0f; // seconds
};

class ParticleSystem : public SceneObject {
public:
    // "dens" is cut to this many particles. A sprite is a large blended quad, and a stream's
    // grow as they fly: drawing one system on a software renderer at 640x480 took, in CPU
    // time a frame, 0.9 ms at the default scene's densest count (36), 12 ms at 128, 34 ms at
    // 256 and 151 ms at 1024 (bench/particles_bench, stream and strike alike). At 256 a
    // scene with a few such systems still draws several frames a second there; the count
    // also bounds a strike's sweep (3 x dens steps of up to 0.05 s) to under a minute.
    static constexpr int kMaxParticles = 256;

    ParticleSystem();

    void draw(const CameraDirector& camera) override;
    void update(double elapsedSeconds) override;

    // The "dens" line: count particles (cut to 0..kMaxParticles) in a cloud of radius 250
    // about position, flying towards -z, each already aged; resets time and timer.
    void allocateParticles(int count);

    ParticleMode mode = ParticleMode::None;
    float size = 2.0f;      // burst radius (circ); each flash draw overwrites it
    float time = 0.0f;      // seconds the current phase lasts (burst or sweep step)
    float timer = 0.0f;     // seconds into the current phase
    float spin = 0.0f;      // sprite turning phase of a flash system
    int sweep = 0;          // brightest sprite of a strike, -dens .. 2 * dens
    Vector3 point1;         // burst and strike centre; far end of the stream axis
    Vector3 point2;         // read and kept; not used
    int dens = 0;           // number of particles
    std::vector<Particle> particles;

private:
    void moveParticles(float seconds);
    void respawnStreamParticle(Particle& particle);
    void startBurst();
    void stepStrike(float seconds);
    void startStrike();

    void drawStreamOrBurst();
    void drawFlash();
    // Phase of the current burst, 0..1; 0 while the phase has no length.
    float phase() const { return time != 0.0f ? timer / time : 0.0f; }
};

}  // namespace tarnel
