// How far a rendered frame is from its golden frame, and the picture that shows where.
// Rounding in the rasteriser (another CPU's vector width, another thread split) moves a few
// edge pixels by a few levels; a change of the look moves many pixels or many levels.
#pragma once

#include "tests/support/png_picture.h"

namespace tarnel::golden {

// A pixel is off when one of its channels differs by more than this many levels (0..255).
constexpr int kLevelsOff = 8;
// A frame matches when at most this share of its pixels is off, and its channels differ by
// at most this many levels on average.
constexpr double kShareOff = 0.005;
constexpr double kMeanLevels = 0.25;

struct FrameDifference {
    bool sameSize = false;
    long pixels = 0;
    long pixelsOff = 0;
    double meanLevels = 0.0;  // over every channel of every pixel

    bool matches() const;
};

FrameDifference compareFrames(const test::Picture& golden, const test::Picture& frame);

// The golden frame in dim grey, with the off pixels in red (brighter the further off) and
// the pixels that differ by up to kLevelsOff in blue. Frames of different sizes give the
// frame itself.
test::Picture differenceImage(const test::Picture& golden, const test::Picture& frame);

// With libpng's filters and compression, so the golden frames stay small. False on failure.
bool writePng(const std::string& path, const test::Picture& picture);

}  // namespace tarnel::golden
