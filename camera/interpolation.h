// Cubic Hermite interpolation of positions, the curve keyframe tracks and the camera follow.
#pragma once

#include "camera/vector3.h"

namespace tarnel {

// The Hermite point between p0 (t = 0) and p1 (t = 1) with tangents m0 and m1, which enter
// unscaled by the segment's length. t outside 0..1 extrapolates the cubic.
Vector3 hermite(Vector3 p0, Vector3 p1, Vector3 m0, Vector3 m1, float t);

}  // namespace tarnel
