// The one fixed OpenGL start state that every drawing module assumes: depth-tested, lit,
// textured, additively blended, a 4:3 perspective whatever the window's shape, light 1 as
// the scene's light; then the swap interval and the start-of-run gamma ramp.
#pragma once

#include "platform/platform.h"

namespace tarnel::gfx {

struct GlStartSettings {
    int width = 640;         // viewport, pixels
    int height = 480;
    bool vsync = false;      // swap interval 1 instead of 0
    bool defGamma = true;    // leave the display gamma alone
    unsigned gamma = 50;     // 0..100
};

// The frustum's horizontal half-width at the near plane: 40 x 4/3 with 4/3 as a float.
constexpr double kFrustumHalfWidth = 40.0 * static_cast<double>(4.0f / 3.0f);
constexpr double kFrustumHalfHeight = 40.0;
constexpr double kFrustumNear = 80.0;
constexpr double kFrustumFar = 5000000.0;

// Needs the main window's context current.
void setupGlState(platform::Platform& platform, const GlStartSettings& settings);

}  // namespace tarnel::gfx
