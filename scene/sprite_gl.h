// GL steps that spheres, billboards and flares share: the private frustum of sky (env)
// objects, and the texture-matrix set-ups every sprite ends with.
// All need a current GL context and leave the modelview matrix selected.
#pragma once

namespace tarnel {

// Loads into the projection matrix (which must be selected) the frustum of an env object:
// half-height fov at the near plane 1, far plane 1000, as wide as the window's aspect makes
// it (gfx::pictureAspect: 4/3 on a 4:3 window).
void loadEnvFrustum(float fov);

// Texture matrix = identity scaled by (tiling, tiling, 1).
void loadTextureScale(float tiling);
// Texture matrix = identity.
void resetTextureMatrix();

}  // namespace tarnel
