// The flare: the glare of a bright light, a sprite drawn in pixel space at the projected
// position of a world point. It fades in while the depth buffer of the frame being drawn
// shows nothing nearer at that pixel and out while something hides it, so only objects
// drawn earlier in the frame can hide it, and it reacts one frame late. It can twinkle,
// roll, dim with the angle between the view and its direction (focus), and draw the lens
// effect: two streaks and 23 ghost images along the line from the light through the centre
// of the screen.
//
// Sizes are pixels of the screen the GL start state set up (gfx::screenSize), whose
// centre the lens effect runs through.
//
// GL state a draw leaves behind: modelview and projection matrices and their stack depths
// as found, matrix mode modelview, texture matrix identity; the texture bound last stays
// bound. When the sprite was drawn (fade above 0) also: blend function (source alpha, one),
// lighting and the depth test enabled, the viewport over the whole screen. Blending, 2D
// texturing, depth writes, the alpha test and face culling are never touched.
//
// A flare whose parent line named an object the script had not defined (parentNotFound)
// is not drawn and leaves no state: it never runs its occlusion test, so it stays dark.
#pragma once

#include "scene/scene_object.h"

#include <cstdint>

namespace tarnel {

class TextureTable;

class Flare : public SceneObject {
public:
    static constexpr int kLensTextureCount = 3;

    void draw(const CameraDirector& camera) override;
    void update(double elapsedSeconds) override;

    // Fills lens texture slot (0..2) from the table entry whose path is exactly path; a
    // path not in the table leaves the slot as it was. A path ending in "tga" sets
    // alphaTexture. A slot out of range is ignored.
    void setLensTexture(int slot, const char* path, const TextureTable& table);

    SceneObject* parent = nullptr;    // the flare's own parent, not owning
    float fade = 0.0f;                // 0..1, current visibility
    float size = 10.0f;               // pixels, half-height of the main sprite
    float lensSize = 5.0f;            // pixels, base half-size of the ghosts
    float fadeIn = 6.0f;              // per second while visible
    float fadeOut = 6.0f;             // per second while hidden
    float FOV = 0.1f;                 // half-height of the env frustum at near 1
    float rotation = 0.0f;            // degrees, roll of the main sprite
    float rotationSpeed = 24.0f;      // degrees per second
    float xy = 1.0f;                  // width factor of the main sprite
    float twinkleClock = 0.0f;        // twinkle timer, 6 units per second
    float twinkleDim = 0.0f;          // end of the dimming phase of the current cycle
    float twinkleEnd = 0.0f;          // end of the current cycle
    float flash = 0.0f;               // seconds, upper bound of the twinkle phases; 0: none
    float focus = 0.0f;               // threshold of the focus factor
    float lumin = 1.0f;               // brightness factor of the main sprite
    bool visible = false;             // result of the last occlusion test
    bool lenseffect = false;
    bool env = false;                 // sky mode: anchor is a direction from the eye
    bool focusOn = false;
    bool orient = false;              // extra screen rotation of the sprites
    bool parentNotFound = false;      // the parent line named no earlier object
    Vector3 anchor;                   // offset in the parent's frame, or env direction
    Vector3 orientVector;             // pixels, reference point of the orient rotation
    std::uint32_t lensTextures[kLensTextureCount] = {};  // GL names; 0: empty, its ghosts left out

private:
    void place(const CameraDirector& camera);
    bool occlusionTest(const CameraDirector& camera, Vector3& window) const;
    float focusFactor(const CameraDirector& camera) const;
    void drawSprite(const CameraDirector& camera, Vector3 f, Vector3 centre) const;
    void drawLensEffect(Vector3 f, Vector3 centre) const;
};

}  // namespace tarnel
