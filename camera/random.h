// The one pseudo-random generator of the system: the classic linear congruential step with
// results in 0..32767, so the same seed gives the same flight and the same jitter on every
// platform. The C library's rand() is never called (its range differs between platforms).
#pragma once

#include <cstdint>

namespace tarnel {

constexpr int kRandomMax = 32767;

void seedRandom(std::uint32_t seed);
// Next value in 0..kRandomMax.
int randomInt();
// A number in 0..1: randomInt() / 32767, drawn anew at each call.
float random01();

}  // namespace tarnel
