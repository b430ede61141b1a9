// The one fixed OpenGL start state that every drawing module assumes: depth-tested, lit,
// textured, additively blended, a perspective of fixed height as wide as the window's shape,
// light 1 as the scene's light; then the swap interval and the start-of-run gamma ramp.
#pragma once

#include "gfx/overlay.h"
#include "platform/platform.h"

namespace tarnel::gfx {

struct GlStartSettings {
    int width = 640;         // viewport, pixels
    int height = 480;
    bool vsync = false;      // swap interval 1 instead of 0
    bool defGamma = true;    // leave the display gamma alone
    unsigned gamma = 50;     // 0..100
};

// The frustum at the near plane is 40 high on each side of the axis and as wide as the
// window's aspect makes it: 40 x 4/3 (with 4/3 as a float) on a 4:3 window.
constexpr double kFrustumHalfHeight = 40.0;
constexpr double kFrustumNear = 80.0;
constexpr double kFrustumFar = 5000000.0;

double frustumHalfWidth(const ScreenSize& size);

// Needs the main window's context current.
void setupGlState(platform::Platform& platform, const GlStartSettings& settings);

}  // namespace tarnel::gfx
