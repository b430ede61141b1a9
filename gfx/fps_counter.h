// The frames-per-second counter at the top left of the overlay. The frame render counts the
// frames; this only draws the number it is given.
#pragma once

#include <cstdint>

namespace tarnel::gfx {

constexpr float kFpsX = 4.0f;  // overlay units
constexpr float kFpsY = 558.0f;

// Draws value inside an overlay space that the caller has entered. Leaves texturing and
// blending (source alpha, one) on and the font's texture bound.
void drawFps(std::uint32_t value);

}  // namespace tarnel::gfx
