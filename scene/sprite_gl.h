// GL steps that billboards and flares share: the private 4:3 frustum of sky (env) sprites,
// and the texture-matrix set-ups every sprite ends with.
// All need a current GL context and leave the modelview matrix selected.
#pragma once

namespace tarnel {

// Loads into the projection matrix (which must be selected) the frustum of an env sprite:
// half-height fov at the near plane 1, far plane 1000, 4/3 as wide as high.
void loadEnvFrustum(float fov);

// Texture matrix = identity scaled by (tiling, tiling, 1).
void loadTextureScale(float tiling);
// Texture matrix = identity.
void resetTextureMatrix();

}  // namespace tarnel
