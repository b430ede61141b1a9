// The one camera: flies an endless random orbit 40000 to 50000 units about the origin, key
// by key, each key the last swung 40 degrees about an axis near the y axis and turned to face
// the origin. Draws every random number from the system's generator, so a seed fixes the
// flight. Needs no GL context; applyCameraView places it.
#pragma once

#include "camera/key_frame.h"
#include "camera/quaternion.h"
#include "camera/vector3.h"

namespace tarnel {

class CameraDirector {
public:
    Vector3 up;                     // unit; the world's -y side is at the top of the screen at keys
    Vector3 look;                   // unit viewing direction
    Vector3 position;               // world units
    float segmentParameter = 0.0f;  // progress through the segment k0 -> k1, 0 towards 1
    KeyFrame k0;                    // the key the current segment starts at
    KeyFrame k1;                    // the key it ends at
    KeyFrame k2;                    // the key after that
    Quaternion orientation;         // maps x onto look, z onto up, y onto the side vector
    Vector3 eye;                    // the point frames are rendered from; equal to position

    CameraDirector() = default;
    virtual ~CameraDirector() = default;

    // Builds the first three keys, the first one 90000 units out. Restarts the segment.
    void start();
    // Advances by dt units of scaled time (seconds times the speed factor; one segment lasts
    // 10) and sets position, eye, look and up. Shifts the keys at most once per call.
    void step(double dt);
    // Places key at keyPosition looking at the origin with the up vector as close to world -y
    // as it can be.
    void orientKey(KeyFrame& key, Vector3 keyPosition) const;

private:
    void refreshMiddleKey();
    void advanceKeys();
};

// The process-wide camera, alive for the whole run: stepped by the main loop, read by the
// frame render and by every object that faces the viewer.
CameraDirector& cameraDirector();

}  // namespace tarnel
