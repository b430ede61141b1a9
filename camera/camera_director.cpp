// The camera's flight. The order of random draws is part of the behaviour: the same seed
// must give the same flight on every platform.
#include "camera/camera_director.h"

#include "camera/matrix.h"
#include "camera/random.h"
#include "camera/rotation.h"

#include <cmath>

namespace tarnel {

namespace {

constexpr float kApproachDistance = 90000.0f;  // world units, the first key only
constexpr float kOrbitDistance = 40000.0f;     // world units, nearest key
constexpr float kStartSpread = 5000.0f;        // world units beyond kOrbitDistance, start keys
constexpr float kFlightSpread = 10000.0f;      // world units beyond kOrbitDistance, later keys
constexpr float kSwingDegrees = 40.0f;         // between neighbouring keys
constexpr float kSegmentRate = 0.1f;           // segments per unit of scaled time
// Below this the side vector of a key on the y axis has no usable direction.
constexpr float kMinSideLength = 1e-4f;

// The process-wide camera (see cameraDirector): written by the main loop only.
CameraDirector theDirector;

// Swings axis by a random angle of up to maxDegrees about a random direction, drawing the
// direction first.
void wanderAxis(Vector3& axis, float maxDegrees) {
    Vector3 tilt = randomUnitVector();
    float degrees = random01() * maxDegrees;
    rotateAboutAxis(axis, tilt, degrees);
}

}  // namespace

CameraDirector& cameraDirector() { return theDirector; }

void CameraDirector::orientKey(KeyFrame& key, Vector3 keyPosition) const {
    Vector3 forward = normalize(-keyPosition);
    Vector3 side = cross(Vector3(0.0f, -1.0f, 0.0f), forward);
    // A key on the y axis has no side vector towards -y; take the world z axis as the hint
    // so the frame stays finite.
    if (!(side.length() >= kMinSideLength)) side = cross(Vector3(0.0f, 0.0f, 1.0f), forward);
    side = normalize(side);
    Vector3 top = normalize(cross(forward, side));
    float m[16];
    basisMatrix(forward, top, side, m);
    key.quaternion = fromMatrix(m);
    key.position = keyPosition;
}

void CameraDirector::refreshMiddleKey() { refreshInteriorKey(k1, k0, k2); }

void CameraDirector::start() {
    segmentParameter = 0.0f;
    Vector3 axis = randomUnitVector();
    Vector3 p(0.0f, 0.0f, kApproachDistance);
    rotateAboutAxis(p, axis, 10.0f + random01() * 350.0f);
    orientKey(k0, p);
    k0.gradient.set(0.0f, 0.0f, 0.0f);

    p = normalize(k0.position) * (kOrbitDistance + random01() * kStartSpread);
    wanderAxis(axis, 60.0f);
    rotateAboutAxis(p, axis, kSwingDegrees);
    orientKey(k1, p);
    k1.gradient.set(0.0f, 0.0f, 0.0f);
    k0.outControl = slerp(k0.quaternion, k1.quaternion, 1.0 / 3.0);

    p = k1.position;
    wanderAxis(axis, 60.0f);
    rotateAboutAxis(p, axis, kSwingDegrees);
    p = normalize(p) * (kOrbitDistance + random01() * kStartSpread);
    orientKey(k2, p);
    refreshMiddleKey();
}

void CameraDirector::advanceKeys() {
    k0 = k1;
    k1 = k2;
    Vector3 axis(0.0f, 1.0f, 0.0f);
    wanderAxis(axis, 70.0f);
    Vector3 p = k1.position;
    rotateAboutAxis(p, axis, kSwingDegrees);
    p = normalize(p) * (kOrbitDistance + random01() * kFlightSpread);
    orientKey(k2, p);
    refreshMiddleKey();
}

void CameraDirector::step(double dt) {
    eye = position;
    // A broken timer reading must not poison the flight for the rest of the run.
    if (!std::isfinite(dt)) dt = 0.0;
    segmentParameter = float(segmentParameter + dt * double(kSegmentRate));
    if (segmentParameter >= 1.0f) {
        segmentParameter -= 1.0f;
        advanceKeys();
    }
    KeyPose pose = interpolateSegment(k0, k1, segmentParameter);
    position = pose.position;
    eye = position;
    orientation = pose.orientation;
    orientation.normalize();
    float m[16];
    toMatrix(orientation, m);
    look.set(m[0], m[4], m[8]);
    up.set(m[2], m[6], m[10]);
}

}  // namespace tarnel
