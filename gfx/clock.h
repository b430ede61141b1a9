// The clock at the bottom right of the overlay: hours, minutes and seconds of the local time,
// in the 24-hour format or the 12-hour one with its morning (";") and afternoon ("<") mark.
#pragma once

#include <string>

#include "platform/system.h"

namespace tarnel::gfx {

// The clock keeps its distance from the bottom right corner on every window shape.
constexpr float kClockRightMargin = 275.0f;  // overlay units from the right edge to the origin
constexpr float kClockY = 2.0f;              // overlay units

// Where the clock's text begins: 525 on a 4:3 window, whose overlay is 800 wide.
float clockX();

// The text the clock shows for time: "hh:mm:ss", then the mark in the 12-hour format.
std::string clockText(const platform::LocalTime& time, bool twelveHour);

// Draws the clock for the local time in its own overlay space. Leaves texturing, blending
// (source alpha, one) and the alpha test (greater than 0) on, the font's texture bound,
// depth testing and lighting on and the modelview matrix selected.
void drawClock(bool twelveHour);
void drawClock(bool twelveHour, const platform::LocalTime& time);

}  // namespace tarnel::gfx
