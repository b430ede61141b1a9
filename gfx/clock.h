// The clock at the bottom right of the overlay: hours, minutes and seconds of the local time,
// in the 24-hour format or the 12-hour one with its morning (";") and afternoon ("<") mark.
#pragma once

#include <string>

#include "platform/system.h"

namespace tarnel::gfx {

constexpr float kClockX = 525.0f;  // overlay units
constexpr float kClockY = 2.0f;

// The text the clock shows for time: "hh:mm:ss", then the mark in the 12-hour format.
std::string clockText(const platform::LocalTime& time, bool twelveHour);

// Draws the clock for the local time in its own overlay space. Leaves texturing, blending
// (source alpha, one) and the alpha test (greater than 0) on, the font's texture bound,
// depth testing and lighting on and the modelview matrix selected.
void drawClock(bool twelveHour);
void drawClock(bool twelveHour, const platform::LocalTime& time);

}  // namespace tarnel::gfx
