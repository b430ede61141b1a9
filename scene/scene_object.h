// The base of every kind of scene object (sphere, mesh, flame, particle system, billboard,
// flare): the draw and update slots and the fields all kinds share, named after the script
// keywords that set them. Objects are made while the scene loads and live until the run ends.
#pragma once

#include "camera/key_track.h"
#include "camera/vector3.h"
#include "scene/object_list.h"

#include <cstddef>

namespace tarnel {

class CameraDirector;

class SceneObject {
public:
    static constexpr std::size_t kNameSize = 15;  // a name of at most 14 characters

    SceneObject() = default;
    SceneObject(const SceneObject&) = delete;
    SceneObject& operator=(const SceneObject&) = delete;
    virtual ~SceneObject();

    // Draws the object for the camera. Leaves a resting GL state that the kind documents.
    virtual void draw(const CameraDirector& camera) = 0;
    // Advances the object by the unscaled time since the previous frame.
    virtual void update(double elapsedSeconds) = 0;

    SceneObject* parent = nullptr;       // "parent" line of a sphere; not owning
    Vector3 position;                    // world units
    Vector3 look{0.0f, 0.0f, 1.0f};      // forward axis of a mesh
    Vector3 right{1.0f, 0.0f, 0.0f};     // second axis of a mesh, strike axis of a particle system
    Vector3 initialPosition;             // position as the script wrote it
    Vector3 color{1.0f, 1.0f, 1.0f};     // red, green, blue in 0..1
    KeyTrack track;                      // a mesh follows it when it holds keys; empty otherwise
    unsigned int textureId = 0;          // GL texture name; meaningful only with hasTexture
    char name[kNameSize] = {};           // from the "begin" line; what "parent" lines look up
    bool hasTexture = false;
    bool alphaTexture = false;           // the texture carries alpha ("tga" files)
    bool moon = false;
    float moonAngle = 0.0f;              // degrees
    float moonSpeed = 0.5f;              // orbit speed factor
};

}  // namespace tarnel
