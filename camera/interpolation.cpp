// Hermite basis in float, as positions are stored.
#include "camera/interpolation.h"

namespace tarnel {

Vector3 hermite(Vector3 p0, Vector3 p1, Vector3 m0, Vector3 m1, float t) {
    float t2 = t * t;
    float t3 = t2 * t;
    float h00 = 2.0f * t3 - 3.0f * t2 + 1.0f;
    float h10 = t3 - 2.0f * t2 + t;
    float h01 = -2.0f * t3 + 3.0f * t2;
    float h11 = t3 - t2;
    return h00 * p0 + h10 * m0 + h01 * p1 + h11 * m1;
}

}  // namespace tarnel
