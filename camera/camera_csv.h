// The camera flight as a table: what `tarnel --dump-camera` prints and end-to-end tests
// compare.
#pragma once

#include <cstdint>
#include <ostream>

namespace tarnel {

// Seeds the system's generator with seed, starts a fresh director and steps it every 1/fps
// seconds for the given seconds, each step scaled by speedScale (Speed / 50 + 0.5). Writes a
// header line, then one row per frame: frame (from 1), time (seconds), eye, look, up.
// Returns false, after the header only, when seconds, fps or speedScale is not a finite
// number in range (fps > 0, seconds >= 0) or the flight would exceed kMaxCameraCsvFrames.
bool writeCameraCsv(std::ostream& out, std::uint32_t seed, double seconds, double fps, double speedScale);

constexpr double kMaxCameraCsvFrames = 1e8;

}  // namespace tarnel
