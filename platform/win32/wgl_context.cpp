#include "platform/win32/wgl_context.h"

namespace tarnel::platform {

bool setWindowPixelFormat(HDC dc) {
    PIXELFORMATDESCRIPTOR format{};
    format.nSize = sizeof format;
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 24;
    format.cStencilBits = 8;
    format.iLayerType = PFD_MAIN_PLANE;
    int number = ChoosePixelFormat(dc, &format);
    if (number == 0) {
        number = 1;
        if (!DescribePixelFormat(dc, number, sizeof format, &format)) return false;
    }
    return SetPixelFormat(dc, number, &format) != FALSE;
}

HGLRC createCurrentContext(HDC dc) {
    HGLRC context = wglCreateContext(dc);
    if (context) wglMakeCurrent(dc, context);
    return context;
}

void deleteContext(HGLRC context) {
    if (!context) return;
    wglMakeCurrent(nullptr, nullptr);
    wglDeleteContext(context);
}

}  // namespace tarnel::platform
