// GL steps that billboards and flares share: the private 4:3 frustum of sky (env) sprites,
// the texture-matrix reset every sprite ends with, and the pixel space flares are drawn in.
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

// One unit per pixel over a width x height window, origin bottom left: depth test and
// lighting off, projection and modelview pushed, the viewport over the whole window.
// leavePixelSpace pops both matrices and turns the depth test and lighting back on.
void enterPixelSpace(int width, int height);
void leavePixelSpace();

}  // namespace tarnel
