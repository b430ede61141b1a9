// The flame: a glowing elliptical ring drawn as an opaque line with four soft bands fading
// out above, below, inside and outside it. Built from its fields every frame in immediate
// mode, untextured and unlit; it never changes.
//
// GL state a draw leaves behind: matrices as found; blending enabled with the function it
// found; 2D texturing, lighting and depth writes enabled; current colour colorfrom, opaque.
#pragma once

#include "scene/scene_object.h"

namespace tarnel {

class Flame : public SceneObject {
public:
    static constexpr int kRingSegments = 200;  // 201 ring points, the last on the first

    Flame();

    void draw(const CameraDirector& camera) override;
    void update(double elapsedSeconds) override;

    Vector3 orient;                          // centre of the ring, world units
    float size = 0.8f;                       // radius along z; a "size" line adds 2000
    float ell = 1.0f;                        // x radius = size * ell
    float angle = 0.0f;                      // the ring's plane rises by angle per unit of x
    float offset = 0.2f;                     // width of each fading band, world units
    Vector3 colorfrom{1.0f, 1.0f, 0.0f};     // the ring line, opaque
    Vector3 colorto{0.0f, 0.0f, 1.0f};       // the bands' outer edges, transparent
    // The flame's own parent, apart from the base field of that name: recorded, not used.
    SceneObject* parent = nullptr;

private:
    Vector3 ringPoint(float t, float radius) const;
    void emitBand(Vector3 shift, float radiusChange);
};

}  // namespace tarnel
