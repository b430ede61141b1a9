// Places the OpenGL camera at the director's eye, looking along its look vector.
#pragma once

namespace tarnel {

class CameraDirector;

// Multiplies the current matrix (the frame render loads the identity into the modelview
// matrix first) by gluLookAt(eye, eye + look, up). Needs a current GL context.
void applyCameraView(const CameraDirector& director);

}  // namespace tarnel
