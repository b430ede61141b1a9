// Closed form of the rotation that the OpenGL matrix stack would give, so that scene updates
// and the camera need no context.
#include "camera/rotation.h"

#include "camera/random.h"

#include <cmath>

namespace tarnel {

void rotateAboutAxis(Vector3& v, Vector3 axis, float angleDegrees) {
    double ax = axis.x, ay = axis.y, az = axis.z;
    double axisLength = std::sqrt(ax * ax + ay * ay + az * az);
    if (!(axisLength > 0.0)) return;
    ax /= axisLength;
    ay /= axisLength;
    az /= axisLength;
    const double kDegreesToRadians = 3.14159265358979323846 / 180.0;
    double theta = double(angleDegrees) * kDegreesToRadians;
    double c = std::cos(theta), s = std::sin(theta);
    double vx = v.x, vy = v.y, vz = v.z;
    // v' = v cos - (a x v) sin + a (a . v)(1 - cos)
    double crossX = ay * vz - az * vy;
    double crossY = az * vx - ax * vz;
    double crossZ = ax * vy - ay * vx;
    double along = (ax * vx + ay * vy + az * vz) * (1.0 - c);
    v.x = float(vx * c - crossX * s + ax * along);
    v.y = float(vy * c - crossY * s + ay * along);
    v.z = float(vz * c - crossZ * s + az * along);
}

Vector3 randomUnitVector() {
    float x = random01() * 20.0f - 10.0f;
    float y = random01() * 20.0f - 10.0f;
    float z = random01() * 20.0f - 10.0f;
    return normalize(Vector3(x, y, z));
}

float wrapIntoPeriod(float value, float period) {
    if (value >= 0.0f && value <= period) return value;
    if (!std::isfinite(value)) return 0.0f;
    // fmod is exact, so a value less than one period out lands where a single subtraction
    // or addition of the period would put it.
    float wrapped = std::fmod(value, period);
    return wrapped < 0.0f ? wrapped + period : wrapped;
}

float wrapDegrees(float degrees) { return wrapIntoPeriod(degrees, 360.0f); }

}  // namespace tarnel
