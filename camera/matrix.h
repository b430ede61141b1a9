// 4x4 float matrices as OpenGL stores them: column-major, element m[c * 4 + r] is row r,
// column c, handed to glLoadMatrixf and glMultMatrixf as they are. No class, just arrays.
#pragma once

#include "camera/vector3.h"

namespace tarnel {

// Column 0 = a, column 1 = c, column 2 = b, column 3 = (0, 0, 0, 1). The swapped order of
// the last two arguments is deliberate: the camera passes (look, up, side) and gets the
// frame look, side, up.
void basisMatrix(Vector3 a, Vector3 b, Vector3 c, float out[16]);

}  // namespace tarnel
