// One key of a motion: time, position with its Hermite tangent, orientation with the two
// Bezier controls either side. Tracks and the camera director interpolate between keys with
// interpolateSegment and derive interior tangents and controls with refreshInteriorKey.
#pragma once

#include "camera/quaternion.h"
#include "camera/vector3.h"

namespace tarnel {

class KeyFrame {
public:
    float time = 0.0f;       // in the owner's time unit; 0 for a key with no "time" line
    bool freeze = false;     // carried with the key; evaluation does not consult it
    Vector3 position;        // world units
    Vector3 gradient;        // Hermite tangent at the key, world units per segment
    Quaternion quaternion;   // orientation at the key, (0, 0, 0, 0) until set
    Quaternion inControl{0.0f, 1.0f, 0.0f, 1.0f};   // used by the segment that ends here
    Quaternion outControl{0.0f, 1.0f, 0.0f, 1.0f};  // used by the segment that starts here

    KeyFrame() = default;
    KeyFrame(const KeyFrame&) = default;
    KeyFrame& operator=(const KeyFrame&) = default;
    virtual ~KeyFrame() = default;
};

// A point of a motion: where and how turned. The orientation is not normalised.
class KeyPose {
public:
    Vector3 position;
    Quaternion orientation;
};

// Position on the Hermite curve and orientation on the spherical Bezier curve from a to b
// at local parameter u (0 at a, 1 at b; outside that it extrapolates).
KeyPose interpolateSegment(const KeyFrame& a, const KeyFrame& b, float u);

// The rule for a key between two others: the central difference of the neighbours'
// positions as gradient, and Bezier controls that make the orientation curve smooth through
// the key. Positions and quaternions are left as they are.
void refreshInteriorKey(KeyFrame& key, const KeyFrame& previous, const KeyFrame& next);

}  // namespace tarnel
