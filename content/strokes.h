// A small stroke font (the capitals the loading screens need, seven-segment digits and the
// clock marks) and an anti-aliased renderer of strokes with a soft glow.
#pragma once

#include <string>
#include <vector>

#include "content/raster.h"

namespace content {

struct Segment {
    float x0, y0, x1, y1;  // pixels, y down
};

struct StrokeStyle {
    float thickness = 2;    // half-width of the line, pixels
    float glowRadius = 6;   // e-folding distance of the glow, pixels
    Rgba core{1, 1, 1, 1};
    Rgba glow{0.2f, 0.5f, 1, 1};
};

// Segments of a text whose glyphs are `height` pixels tall, left edge at x, baseline at y.
// Glyphs are 4 units wide and 6 high on their grid; `spacing` is the advance in units.
std::vector<Segment> layoutText(const std::string& text, float x, float y, float height,
                                float spacing = 6);

float textWidth(const std::string& text, float height, float spacing = 6);

// Adds the strokes to the raster (additive), touching only pixels near them.
void drawStrokes(Raster& img, const std::vector<Segment>& segments, const StrokeStyle& style);

}  // namespace content
