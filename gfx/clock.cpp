// The clock. Noon and the hours after it carry the afternoon mark; midnight reads 12 with
// the morning mark, as 12-hour clocks do.
#include "gfx/clock.h"

#include <GL/gl.h>

#include <cstdio>

#include "gfx/digit_font.h"
#include "gfx/overlay.h"

namespace tarnel::gfx {

namespace {

constexpr char kMorningMark = ';';
constexpr char kAfternoonMark = '<';

// "0%d" up to 9, "%d" above, then the separator when there is one.
void appendField(std::string& text, int value, const char* separator) {
    char field[16];
    std::snprintf(field, sizeof field, value <= 9 ? "0%d%s" : "%d%s", value, separator);
    text += field;
}

}  // namespace

std::string clockText(const platform::LocalTime& time, bool twelveHour) {
    int hour = time.hour;
    bool afternoon = hour == 12;
    if (twelveHour) {
        if (hour == 0) {
            hour = 12;
        } else if (hour > 12) {
            hour -= 12;
            afternoon = true;
        }
    }
    std::string text;
    appendField(text, hour, ":");
    appendField(text, time.minute, ":");
    appendField(text, time.second, "");
    if (twelveHour) text += afternoon ? kAfternoonMark : kMorningMark;
    return text;
}

float clockX() { return static_cast<float>(overlayWidth() - kClockRightMargin); }

void drawClock(bool twelveHour) { drawClock(twelveHour, platform::localTime()); }

void drawClock(bool twelveHour, const platform::LocalTime& time) {
    beginOverlay();
    glLoadIdentity();
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, 0.0f);
    useDigitPen();
    drawDigits(clockX(), kClockY, clockText(time, twelveHour).c_str());
    endOverlay();
}

}  // namespace tarnel::gfx
