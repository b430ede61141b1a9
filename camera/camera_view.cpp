// The one place the camera meets GL.
#include "camera/camera_view.h"

#include "camera/camera_director.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace tarnel {

void applyCameraView(const CameraDirector& director) {
    const Vector3& eye = director.eye;
    Vector3 target = eye + director.look;
    const Vector3& up = director.up;
    gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, up.x, up.y, up.z);
}

}  // namespace tarnel
