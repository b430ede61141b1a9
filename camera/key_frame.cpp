// Segment interpolation and the interior-key rule, shared by keyframe tracks and the camera.
#include "camera/key_frame.h"

#include "camera/interpolation.h"

namespace tarnel {

KeyPose interpolateSegment(const KeyFrame& a, const KeyFrame& b, float u) {
    KeyPose pose;
    pose.position = hermite(a.position, b.position, a.gradient, b.gradient, u);
    pose.orientation = sphericalBezier(a.quaternion, a.outControl, b.inControl, b.quaternion, u);
    return pose;
}

void refreshInteriorKey(KeyFrame& key, const KeyFrame& previous, const KeyFrame& next) {
    Vector3 before = key.position - previous.position;
    Vector3 after = next.position - key.position;
    key.gradient = before + 0.5f * (after - before);
    Quaternion towardsPrevious = slerp(key.quaternion, previous.quaternion, -1.0 / 3.0);
    Quaternion towardsNext = slerp(key.quaternion, next.quaternion, 1.0 / 3.0);
    Quaternion middle = slerp(towardsPrevious, towardsNext, 0.5);
    key.inControl = slerp(key.quaternion, middle, -1.0);
    key.outControl = slerp(key.quaternion, middle, 1.0);
}

}  // namespace tarnel
