// Glyph table and stroke rendering.
#include "content/strokes.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace content {

namespace {

using Polyline = std::vector<std::pair<float, float>>;  // grid units, y up, 0..4 x 0..6

const Polyline kSegA{{0.5f, 6}, {3.5f, 6}}, kSegB{{4, 5.5f}, {4, 3.5f}}, kSegC{{4, 2.5f}, {4, 0.5f}},
    kSegD{{0.5f, 0}, {3.5f, 0}}, kSegE{{0, 2.5f}, {0, 0.5f}}, kSegF{{0, 5.5f}, {0, 3.5f}},
    kSegG{{0.5f, 3}, {3.5f, 3}};

std::vector<Polyline> sevenSegment(const char* segments) {
    std::vector<Polyline> out;
    const Polyline* all[7] = {&kSegA, &kSegB, &kSegC, &kSegD, &kSegE, &kSegF, &kSegG};
    for (const char* s = segments; *s; ++s) out.push_back(*all[*s - 'a']);
    return out;
}

const std::map<char, std::vector<Polyline>>& glyphs() {
    // Built once: a constant table, not state.
    static const std::map<char, std::vector<Polyline>> table = {
        {'0', sevenSegment("abcdef")}, {'1', sevenSegment("bc")}, {'2', sevenSegment("abged")},
        {'3', sevenSegment("abgcd")}, {'4', sevenSegment("fgbc")}, {'5', sevenSegment("afgcd")},
        {'6', sevenSegment("afgedc")}, {'7', sevenSegment("abc")}, {'8', sevenSegment("abcdefg")},
        {'9', sevenSegment("abcdfg")},
        {':', {{{2, 1.5f}, {2, 1.5f}}, {{2, 4.5f}, {2, 4.5f}}}},
        {'T', {{{0, 6}, {4, 6}}, {{2, 6}, {2, 0}}}},
        {'A', {{{0, 0}, {2, 6}, {4, 0}}, {{0.7f, 2}, {3.3f, 2}}}},
        {'R', {{{0, 0}, {0, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {0, 3}}, {{2, 3}, {4, 0}}}},
        {'N', {{{0, 0}, {0, 6}, {4, 0}, {4, 6}}}},
        {'E', {{{4, 6}, {0, 6}, {0, 0}, {4, 0}}, {{0, 3}, {3, 3}}}},
        {'L', {{{0, 6}, {0, 0}, {4, 0}}}},
        {'O', {{{1, 0}, {3, 0}, {4, 1}, {4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}}}},
        {'D', {{{0, 0}, {0, 6}, {2.5f, 6}, {4, 4.5f}, {4, 1.5f}, {2.5f, 0}, {0, 0}}}},
        {'I', {{{2, 0}, {2, 6}}, {{1, 6}, {3, 6}}, {{1, 0}, {3, 0}}}},
        {'G', {{{4, 5}, {3, 6}, {1, 6}, {0, 5}, {0, 1}, {1, 0}, {3, 0}, {4, 1}, {4, 3}, {2, 3}}}},
        {'M', {{{0, 0}, {0, 6}, {2, 3}, {4, 6}, {4, 0}}}},
        {'P', {{{0, 0}, {0, 6}, {3, 6}, {4, 5}, {4, 4}, {3, 3}, {0, 3}}}},
    };
    return table;
}

float segmentDistance(float px, float py, const Segment& s) {
    float dx = s.x1 - s.x0, dy = s.y1 - s.y0;
    float len2 = dx * dx + dy * dy;
    float t = len2 > 0 ? std::min(1.0f, std::max(0.0f, ((px - s.x0) * dx + (py - s.y0) * dy) / len2)) : 0;
    float ex = px - (s.x0 + t * dx), ey = py - (s.y0 + t * dy);
    return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

std::vector<Segment> layoutText(const std::string& text, float x, float y, float height, float spacing) {
    std::vector<Segment> out;
    float unit = height / 6;
    for (char ch : text) {
        auto it = glyphs().find(ch);
        if (it != glyphs().end())
            for (const Polyline& line : it->second)
                for (size_t i = 0; i + 1 < line.size(); ++i)
                    out.push_back({x + line[i].first * unit, y - line[i].second * unit,
                                   x + line[i + 1].first * unit, y - line[i + 1].second * unit});
        x += spacing * unit;
    }
    return out;
}

float textWidth(const std::string& text, float height, float spacing) {
    if (text.empty()) return 0;
    return (float(text.size() - 1) * spacing + 4) * height / 6;
}

void drawStrokes(Raster& img, const std::vector<Segment>& segments, const StrokeStyle& style) {
    if (segments.empty()) return;
    float reach = style.thickness + style.glowRadius * 5;
    float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
    for (const Segment& s : segments) {
        x0 = std::min({x0, s.x0, s.x1});
        x1 = std::max({x1, s.x0, s.x1});
        y0 = std::min({y0, s.y0, s.y1});
        y1 = std::max({y1, s.y0, s.y1});
    }
    int xa = std::max(0, int(x0 - reach)), xb = std::min(img.width() - 1, int(x1 + reach));
    int ya = std::max(0, int(y0 - reach)), yb = std::min(img.height() - 1, int(y1 + reach));
    for (int y = ya; y <= yb; ++y)
        for (int x = xa; x <= xb; ++x) {
            float d = 1e9f;
            for (const Segment& s : segments) d = std::min(d, segmentDistance(x + 0.5f, y + 0.5f, s));
            float core = clamp01(style.thickness + 0.5f - d);
            float glow = std::exp(-std::max(0.0f, d - style.thickness) / style.glowRadius);
            Rgba& p = img.at(x, y);
            p = p + style.core * core + style.glow * (glow * (1 - core));
            p.a = 1;
        }
}

}  // namespace content
