// The OpenGL context of a window's device context: the fixed pixel format (double-buffered
// RGBA, 32 colour, 24 depth, 8 stencil bits) and a WGL context made current on it.
#pragma once

#include <windows.h>

namespace tarnel::platform {

// Chooses and sets the format; format 1 stands in when none matches. False when neither
// could be set.
bool setWindowPixelFormat(HDC dc);

// A context on dc, current on this thread; null when the system refuses one.
HGLRC createCurrentContext(HDC dc);
void deleteContext(HGLRC context);

}  // namespace tarnel::platform
