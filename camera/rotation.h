// Rotation of a vector about an axis and random directions: the two operations every
// animated thing in the scene is built from (camera keys, spinning spheres, particles), and
// the wrap that keeps their running angles and cycle times in range.
#pragma once

#include "camera/vector3.h"

namespace tarnel {

// Rotates v in place by minus angleDegrees about the axis in the right-handed sense (the
// row vector v times glRotatef's matrix): (1, 0, 0) about (0, 0, 1) by 90 gives (0, -1, 0).
// Every camera path and object animation depends on this sense. The axis need not be unit
// length; a zero axis leaves v unchanged. Needs no GL context.
void rotateAboutAxis(Vector3& v, Vector3 axis, float angleDegrees);

// A direction from three draws of the system's generator (x, y, z) mapped onto -10..10 and
// normalised: drawn from a cube, so not uniform over the sphere, and never zero.
Vector3 randomUnitVector();

// Brings an accumulated angle back into 0..360 degrees after a step of any size in either
// direction; an angle already in range (360 included) is returned as it is, and one that is
// not finite becomes 0. A spin left to grow would lose its float precision and freeze.
float wrapDegrees(float degrees);

// The same for a running time in a cycle of period seconds (period > 0): back into
// 0..period, a value already in range returned as it is.
float wrapIntoPeriod(float value, float period);

}  // namespace tarnel
