// The gamma ramp of the monitor showing an SDL window, through XRandR CRTC gamma under SDL's
// X11 video driver. Relies on SDL's X connection (SDL_syswm) and RandR 1.2 or later.
#pragma once

#include "platform/platform.h"

#include <cstdint>
#include <vector>

struct SDL_Window;

namespace tarnel::platform {

// Reads the ramp of the first CRTC driving the window's display, resampled to 256 entries
// per channel. False, with the ramp untouched, under another video driver, without RandR 1.2,
// or when no CRTC with a gamma table drives that display.
bool readX11GammaRamp(SDL_Window* window, GammaRamp& ramp);

// Writes the ramp, resampled to each CRTC's own size, to every CRTC driving the window's
// display. A ramp equal to the one read last writes back that CRTC's table exactly as read.
bool writeX11GammaRamp(SDL_Window* window, const GammaRamp& ramp);

// One channel of 256 entries resampled to `size` entries, and back, by linear interpolation;
// both ends stay at both ends, and size 256 copies.
std::vector<std::uint16_t> resampleChannel(const std::uint16_t* from, int fromSize, int toSize);

}  // namespace tarnel::platform
