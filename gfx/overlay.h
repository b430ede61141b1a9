// The two 2D spaces drawn over the scene: overlay space, 800 x 600 units stretched over the
// whole window whatever its size, and pixel space, one unit per pixel (the flares' space).
// Entering either turns off depth testing and lighting and pushes both matrices; leaving
// pops them and turns depth testing and lighting back on, whatever they were before.
#pragma once

namespace tarnel::gfx {

constexpr double kOverlayWidth = 800.0;   // overlay units
constexpr double kOverlayHeight = 600.0;

// The window's drawable size, in pixels, as the GL start state gave it to the viewport.
class ScreenSize {
public:
    int width = 640;
    int height = 480;
};

// The process-wide record; the GL start state sets it, the overlay spaces read it.
ScreenSize& screenSize();

void beginOverlay();
void endOverlay();
void beginPixelOverlay();
// Leaving pixel space is the same operation as leaving overlay space.
void endPixelOverlay();

// One quad from (left, bottom) to (right, top), counter-clockwise from its lower-left
// corner, with texture coordinates s0..s1 and t0..t1 running the same way.
void drawTexturedQuad(float left, float bottom, float right, float top, float s0, float t0, float s1, float t1);

}  // namespace tarnel::gfx
