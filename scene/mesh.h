// The mesh: a rigid model from a display list compiled at load time, placed at a position
// with its own axes (look, right and their cross product), a fixed tilt and a uniform scale,
// textured, lit, metal or blended as its flags say. Meshes never write depth.
//
// GL state a draw leaves behind: modelview matrix as found; blending enabled with the
// function (source alpha, one); alpha test enabled; lighting enabled; light 0 disabled after
// a metal mesh, untouched otherwise; face culling disabled; depth writes enabled; 2D
// texturing enabled; texture-coordinate generation in s and t disabled; colour material
// disabled after a metal mesh; texture environment add after a light mesh, modulate
// otherwise. The texture bound last stays bound when the mesh has none.
#pragma once

#include "scene/scene_object.h"

#include <cstdint>

namespace tarnel {

class Mesh : public SceneObject {
public:
    Mesh();

    void draw(const CameraDirector& camera) override;
    void update(double elapsedSeconds) override;

    std::uint32_t displayList = 0;          // the latest "geometry" model when the block began
    Vector3 orientAxis{0.0f, 1.0f, 0.0f};
    float orientAngle = 0.0f;               // degrees
    float scale = 1.0f;
    bool metal = false;                     // specular material lit by light 0
    bool light = false;                     // texture added to the lit colour
    bool illum = false;                     // drawn unlit
    bool blend = false;                     // alpha-blended at the opacity color.x
    // Read from the definition and kept; drawing does not use them.
    bool chrome = false;
    float speed = 0.0f;
    bool invup = false;
    float tiling = 1.0f;

    double trackTime = 0.0;                 // seconds the track has run; only with keys
};

}  // namespace tarnel
