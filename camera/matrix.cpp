// Basis matrices for the camera's key orientations.
#include "camera/matrix.h"

namespace tarnel {

void basisMatrix(Vector3 a, Vector3 b, Vector3 c, float out[16]) {
    const float values[16] = {
        a.x,  a.y,  a.z,  0.0f,
        c.x,  c.y,  c.z,  0.0f,
        b.x,  b.y,  b.z,  0.0f,
        0.0f, 0.0f, 0.0f, 1.0f,
    };
    for (int e = 0; e < 16; ++e) out[e] = values[e];
}

}  // namespace tarnel
