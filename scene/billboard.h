// The billboard: a textured quad drawn with additive blending. It faces the viewer unless
// told to keep its axes, and can instead hang in the sky at a fixed direction from the eye
// (env), beside a parent (flickering in alpha), ring a sphere as its halo (oreol) or stand
// radially to its parent (sys); it rolls and can blink.
//
// GL state a draw leaves behind (what the next object may rely on): modelview and
// projection matrices and their stack depths as found, matrix mode modelview, texture
// matrix identity; blend function (source alpha, one), blending and 2D texturing untouched;
// alpha function (always, 0) after a blend billboard, untouched otherwise; lighting
// enabled; depth writes enabled; the depth test enabled after an oreol or depth billboard,
// untouched otherwise; face culling untouched. The texture bound last stays bound.
//
// A billboard that cannot be placed is not drawn and leaves no state at all: one whose
// parent line named an object the script had not defined (parentNotFound), and a sys
// billboard without a parent, whose axes would point at nothing.
#pragma once

#include "scene/scene_object.h"

namespace tarnel {

class Billboard : public SceneObject {
public:
    Billboard();

    void draw(const CameraDirector& camera) override;
    void update(double elapsedSeconds) override;

    // The billboard's own parent, colour and axes, apart from the base fields of those names.
    SceneObject* parent = nullptr;           // not owning; set by the "parent" line
    Vector3 color{1.0f, 1.0f, 1.0f};         // used only with a parent
    Vector3 up{0.0f, 1.0f, 0.0f};            // unit; rewritten by draw unless orientOff keeps it
    Vector3 right{1.0f, 0.0f, 0.0f};         // unit; rewritten likewise
    float rotation = 0.0f;                   // degrees, roll about the quad's normal
    float size = 5.0f;                       // world units, half-height of the quad
    float alpha = 1.0f;
    float tiling = 1.0f;                     // texture repeats in s and t
    float rotationSpeed = 0.0f;              // degrees per second; random in -60..60 until set
    float FOV = 0.1f;                        // half-height of the env frustum at near 1
    float xy = 1.0f;                         // width over height
    float oreolRadius = 1.0f;                // world units, radius of the ringed sphere
    Vector3 anchor;                          // parent offset, env direction or halo centre
    float flashTime = 0.0f;                  // seconds into the blink cycle
    float flashShown = 0.0f;                 // seconds visible per cycle, after the hidden part
    float flashHidden = 0.0f;                // seconds hidden at the start of each cycle
    bool env = false;
    bool orientOff = false;
    bool flash = false;
    bool blend = false;                      // ordinary alpha blending instead of additive
    bool depth = false;                      // drawn without the depth test
    bool oreol = false;
    bool sys = false;
    bool parentNotFound = false;             // the parent line named no earlier object

private:
    bool placeable() const { return !parentNotFound && !(sys && parent == nullptr); }
    void facePlacement(const CameraDirector& camera, float& halfHeight, bool& visible);
    void setGlState() const;
    void restoreGlState() const;
};

}  // namespace tarnel
