// Rotation of a vector about an axis and random directions: the two operations every
// animated thing in the scene is built from (camera keys, spinning spheres, particles).
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

}  // namespace tarnel
