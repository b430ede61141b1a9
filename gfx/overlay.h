// The two 2D spaces drawn over the scene: overlay space, 600 units high over the whole window
// and as wide as the window's aspect makes it (800 on a 4:3 window), and pixel space, one
// unit per pixel (the flares' space). Entering either turns off depth testing and lighting
// and pushes both matrices; leaving pops them and turns depth testing and lighting back on,
// whatever they were before.
#pragma once

namespace tarnel::gfx {

constexpr double kOverlayWidth = 800.0;   // overlay units, of a 4:3 window
constexpr double kOverlayHeight = 600.0;

// The window's drawable size, in pixels, as the GL start state gave it to the viewport.
class ScreenSize {
public:
    int width = 640;
    int height = 480;
};

// The process-wide record; the GL start state sets it, the overlay spaces read it.
ScreenSize& screenSize();

// Width over height, as a float: every 4:3 size gives exactly 4.0f / 3.0f, the factor of the
// fixed 4:3 frustums, so a 4:3 window draws them to the bit. A size without area counts as 4:3.
float pictureAspect(const ScreenSize& size = screenSize());
// Overlay units across the window: 600 times its aspect, exactly 800 on a 4:3 window.
double overlayWidth(const ScreenSize& size = screenSize());
// Pixels per overlay unit, the window's height over 600: what sizes written for an 800 x 600
// picture are scaled by, so they keep their share of the picture's height.
float pixelsPerOverlayUnit(const ScreenSize& size = screenSize());

void beginOverlay();
void endOverlay();
void beginPixelOverlay();
// Leaving pixel space is the same operation as leaving overlay space.
void endPixelOverlay();

// One quad from (left, bottom) to (right, top), counter-clockwise from its lower-left
// corner, with texture coordinates s0..s1 and t0..t1 running the same way.
void drawTexturedQuad(float left, float bottom, float right, float top, float s0, float t0, float s1, float t1);

}  // namespace tarnel::gfx
