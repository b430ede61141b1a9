// The display gamma: a power-law ramp built from the Gamma setting, written at the start of
// a saver run. The ramp in force before the run is saved and written back at its end.
#pragma once

#include "platform/platform.h"

namespace tarnel::gfx {

// Entry [c * 256 + k] = floor((k / 256)^e * 65536) for the channel's exponent e, so the
// exponent 1 gives k * 256 (the identity ramp, last entry 65280).
platform::GammaRamp buildGammaRamp(double red, double green, double blue);

// The exponent for a Gamma setting 0..100: 1.5 at 0, 1.0 at 50, 0.5 at 100.
float gammaExponent(unsigned gammaSetting);

// Builds and writes a ramp; false when the display refuses it.
bool setGammaRamp(platform::Platform& platform, double red, double green, double blue);

}  // namespace tarnel::gfx
