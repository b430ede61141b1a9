// The sphere: planets, moons, the sun, the sky shell, atmosphere shells, flickering layers
// and invisible depth masks. One display list scaled by the radius, with flags choosing the
// lighting, blending, texture animation and placement.
//
// GL state a draw leaves behind (what the next object may rely on): modelview matrix as
// found, projection matrix as found (an env sphere pops its private frustum), matrix mode
// modelview, texture matrix identity; blending enabled with the function (source alpha,
// one); lighting enabled; depth test enabled (an env or wire sphere turns it back on); depth
// writes enabled after an atmo, flash or depth sphere, as found otherwise; face culling
// disabled, cull face back after an env sphere; colour material disabled; 2D texturing
// enabled after a sys or mask sphere, untouched otherwise; texture environment modulate
// after a flash sphere. The texture bound last stays bound (texture 0 after a wire sphere).
//
// A sys sphere whose parent could not be found is not drawn at all (and leaves no state):
// its position is relative to a parent that does not exist, and an uranmoon orbit has no
// plane without one.
#pragma once

#include "scene/scene_object.h"

#include <cstdint>

namespace tarnel {

class Sphere : public SceneObject {
public:
    Sphere();

    void draw(const CameraDirector& camera) override;
    void update(double elapsedSeconds) override;

    std::uint32_t displayList = 0;        // the unit sphere unless a keyword picks another list
    float radius = 5.0f;                  // world units
    float alpha = 1.0f;                   // below 1 the sphere is blended
    float FOV = 1.0f;                     // half-height of an env sphere's frustum at near 1
    float tiling = 1.0f;                  // texture repeats in s and t
    float detiling = 0.0f;                // degrees added to the spin and the texture spin
    float period = 365.0f;                // orbital period; no effect while the orbit angle is 0
    Vector3 rotationAxis{0.0f, 1.0f, 0.0f};
    float rotationAngle = 0.0f;           // degrees
    float rotationSpeed = 0.2f;           // degrees per second
    Vector3 orientAxis{1.0f, 0.0f, 0.0f};
    float orientAngle = 90.0f;            // degrees
    bool env = false;
    bool light = false;
    bool atmo = false;
    bool wire = false;
    bool systemOrbit = true;
    bool depth = false;
    bool mask = false;
    bool flash = false;
    bool flashOn = false;
    bool rnd = false;
    bool sys = false;
    bool uranmoon = false;
    bool plt = false;
    bool specular = false;
    float flashTimer = 1.0f;              // seconds into the current flash phase
    float flashPeriod = 1.0f;             // seconds the current flash phase lasts
    float flashOffsetS = 0.0f;            // texture offset of a flash layer
    float flashOffsetT = 0.0f;
    float flashRotation = 0.0f;           // degrees, texture rotation of an rnd flash layer

private:
    bool placedWithoutParent() const { return sys && parent == nullptr; }
    void placeSatellite();
    void drawWire();
    void runFlashTimer(float seconds);
};

// The radius of the fixed planet ellipse that plt spheres stand on.
constexpr float kPlanetOrbitRadius = 412000.0f;

}  // namespace tarnel
