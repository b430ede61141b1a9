// The offscreen context on Windows: a hidden 1 x 1 window gives WGL its device context, and
// a framebuffer object of the requested size (RGBA8, depth 24 with stencil 8) is what the
// context draws into, so nothing depends on a visible window's pixels.
#include "platform/offscreen_gl.h"

#include "platform/win32/wgl_context.h"

#include <windows.h>
#include <GL/gl.h>
#include <GL/glext.h>

namespace tarnel::platform {

namespace {
constexpr const char* kOffscreenClass = "TarnelOffscreen";

template <typename Fn>
Fn lookUp(const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}
}  // namespace

struct OffscreenGl::Native {
    HWND window = nullptr;
    HDC dc = nullptr;
    HGLRC context = nullptr;
    GLuint framebuffer = 0;
    GLuint renderbuffers[2] = {0, 0};

    ~Native() {
        if (context) {
            wglMakeCurrent(dc, context);
            if (framebuffer) {
                lookUp<PFNGLDELETEFRAMEBUFFERSEXTPROC>("glDeleteFramebuffersEXT")(1, &framebuffer);
                lookUp<PFNGLDELETERENDERBUFFERSEXTPROC>("glDeleteRenderbuffersEXT")(2, renderbuffers);
            }
            deleteContext(context);
        }
        if (window) {
            ReleaseDC(window, dc);
            DestroyWindow(window);
        }
    }

    bool makeFramebuffer(int width, int height) {
        auto genFramebuffers = lookUp<PFNGLGENFRAMEBUFFERSEXTPROC>("glGenFramebuffersEXT");
        auto bindFramebuffer = lookUp<PFNGLBINDFRAMEBUFFEREXTPROC>("glBindFramebufferEXT");
        auto genRenderbuffers = lookUp<PFNGLGENRENDERBUFFERSEXTPROC>("glGenRenderbuffersEXT");
        auto bindRenderbuffer = lookUp<PFNGLBINDRENDERBUFFEREXTPROC>("glBindRenderbufferEXT");
        auto storage = lookUp<PFNGLRENDERBUFFERSTORAGEEXTPROC>("glRenderbufferStorageEXT");
        auto attach = lookUp<PFNGLFRAMEBUFFERRENDERBUFFEREXTPROC>("glFramebufferRenderbufferEXT");
        auto status = lookUp<PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC>("glCheckFramebufferStatusEXT");
        if (!genFramebuffers || !bindFramebuffer || !genRenderbuffers || !bindRenderbuffer || !storage || !attach || !status)
            return false;
        genFramebuffers(1, &framebuffer);
        bindFramebuffer(GL_FRAMEBUFFER_EXT, framebuffer);
        genRenderbuffers(2, renderbuffers);
        bindRenderbuffer(GL_RENDERBUFFER_EXT, renderbuffers[0]);
        storage(GL_RENDERBUFFER_EXT, GL_RGBA8, width, height);
        attach(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_RENDERBUFFER_EXT, renderbuffers[0]);
        bindRenderbuffer(GL_RENDERBUFFER_EXT, renderbuffers[1]);
        storage(GL_RENDERBUFFER_EXT, GL_DEPTH24_STENCIL8_EXT, width, height);
        attach(GL_FRAMEBUFFER_EXT, GL_DEPTH_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, renderbuffers[1]);
        attach(GL_FRAMEBUFFER_EXT, GL_STENCIL_ATTACHMENT_EXT, GL_RENDERBUFFER_EXT, renderbuffers[1]);
        glViewport(0, 0, width, height);
        return status(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT;
    }
};

std::unique_ptr<OffscreenGl> OffscreenGl::create(int width, int height, std::string* error) {
    auto fail = [error](const char* why) -> std::unique_ptr<OffscreenGl> {
        if (error) *error = why;
        return nullptr;
    };
    if (width <= 0 || height <= 0) return fail("offscreen size must be positive");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kOffscreenClass;
    RegisterClassA(&windowClass);  // already registered by an earlier context: fine
    auto gl = std::make_unique<Native>();
    gl->window = CreateWindowExA(0, kOffscreenClass, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, instance, nullptr);
    if (!gl->window) return fail("no window for the offscreen context");
    gl->dc = GetDC(gl->window);
    if (!setWindowPixelFormat(gl->dc)) return fail("no pixel format for the offscreen context");
    gl->context = createCurrentContext(gl->dc);
    if (!gl->context) return fail("wglCreateContext failed");
    if (!gl->makeFramebuffer(width, height)) return fail("no framebuffer object of that size");
    return std::unique_ptr<OffscreenGl>(new OffscreenGl(width, height, std::move(gl)));
}

OffscreenGl::OffscreenGl(int width, int height, std::unique_ptr<Native> native)
    : width_(width), height_(height), native_(std::move(native)) {}

OffscreenGl::~OffscreenGl() = default;

void OffscreenGl::makeCurrent() { wglMakeCurrent(native_->dc, native_->context); }

}  // namespace tarnel::platform
