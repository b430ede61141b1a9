// Surfaceless EGL on Mesa: a pbuffer surface with a desktop GL context, no display server.
#include "platform/offscreen_gl.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <GL/gl.h>

namespace tarnel::platform {

struct OffscreenGl::Native {
    EGLDisplay display = EGL_NO_DISPLAY;
    EGLSurface surface = EGL_NO_SURFACE;
    EGLContext context = EGL_NO_CONTEXT;
};

namespace {

EGLDisplay openSurfacelessDisplay() {
    auto getPlatformDisplay = reinterpret_cast<PFNEGLGETPLATFORMDISPLAYEXTPROC>(
        eglGetProcAddress("eglGetPlatformDisplayEXT"));
    if (!getPlatformDisplay) return EGL_NO_DISPLAY;
    return getPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
}

}  // namespace

std::unique_ptr<OffscreenGl> OffscreenGl::create(int width, int height, std::string* error) {
    auto fail = [error](const char* why) -> std::unique_ptr<OffscreenGl> {
        if (error) *error = why;
        return nullptr;
    };
    if (width <= 0 || height <= 0) return fail("offscreen size must be positive");
    auto egl = std::make_unique<Native>();
    egl->display = openSurfacelessDisplay();
    if (egl->display == EGL_NO_DISPLAY) return fail("no surfaceless EGL display");
    if (!eglInitialize(egl->display, nullptr, nullptr)) return fail("eglInitialize failed");
    if (!eglBindAPI(EGL_OPENGL_API)) return fail("EGL has no desktop OpenGL");

    const EGLint configAttributes[] = {
        EGL_SURFACE_TYPE, EGL_PBUFFER_BIT, EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
        EGL_RED_SIZE, 8, EGL_GREEN_SIZE, 8, EGL_BLUE_SIZE, 8, EGL_ALPHA_SIZE, 8,
        EGL_DEPTH_SIZE, 24, EGL_STENCIL_SIZE, 8, EGL_NONE};
    EGLConfig config = nullptr;
    EGLint configCount = 0;
    if (!eglChooseConfig(egl->display, configAttributes, &config, 1, &configCount) || configCount < 1)
        return fail("no EGL config with RGBA8, depth 24 and stencil 8");

    const EGLint surfaceAttributes[] = {EGL_WIDTH, width, EGL_HEIGHT, height, EGL_NONE};
    egl->surface = eglCreatePbufferSurface(egl->display, config, surfaceAttributes);
    if (egl->surface == EGL_NO_SURFACE) return fail("eglCreatePbufferSurface failed");
    egl->context = eglCreateContext(egl->display, config, EGL_NO_CONTEXT, nullptr);
    if (egl->context == EGL_NO_CONTEXT) return fail("eglCreateContext failed");
    std::unique_ptr<OffscreenGl> gl(new OffscreenGl(width, height, std::move(egl)));
    gl->makeCurrent();
    return gl;
}

OffscreenGl::OffscreenGl(int width, int height, std::unique_ptr<Native> native)
    : width_(width), height_(height), native_(std::move(native)) {}

OffscreenGl::~OffscreenGl() {
    if (!native_) return;
    eglMakeCurrent(native_->display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
    if (native_->context != EGL_NO_CONTEXT) eglDestroyContext(native_->display, native_->context);
    if (native_->surface != EGL_NO_SURFACE) eglDestroySurface(native_->display, native_->surface);
    // The display is left initialised: Mesa shares it across contexts in the process.
}

void OffscreenGl::makeCurrent() {
    eglMakeCurrent(native_->display, native_->surface, native_->surface, native_->context);
}

}  // namespace tarnel::platform
