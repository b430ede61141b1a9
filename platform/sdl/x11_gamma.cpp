// XRandR CRTC gamma for the SDL backend: finds the CRTCs showing the saver's window, reads and
// writes their tables, and resamples between their sizes and 256.
#include "platform/sdl/x11_gamma.h"

#include "platform/x11/x_errors.h"

#include <algorithm>
#include <cmath>

namespace tarnel::platform {

namespace {

constexpr int kRampSize = 256;  // entries per channel in the platform's ramp

bool shows(const CrtcState& crtc, int x, int y) {
    return x >= crtc.x && x < crtc.x + static_cast<int>(crtc.width) && y >= crtc.y &&
           y < crtc.y + static_cast<int>(crtc.height);
}

std::uint16_t interpolate(const std::uint16_t* from, int fromSize, double position) {
    int below = std::min(static_cast<int>(position), fromSize - 1);
    int above = std::min(below + 1, fromSize - 1);
    double value = from[below] + (from[above] - from[below]) * (position - below);
    return static_cast<std::uint16_t>(std::lround(std::clamp(value, 0.0, 65535.0)));
}

}  // namespace

std::vector<std::uint16_t> resampleChannel(const std::uint16_t* from, int fromSize, int toSize) {
    std::vector<std::uint16_t> to(static_cast<std::size_t>(std::max(toSize, 0)));
    if (fromSize <= 0) return to;
    for (int i = 0; i < toSize; ++i) {
        double position = toSize > 1 ? static_cast<double>(i) * (fromSize - 1) / (toSize - 1) : 0.0;
        to[i] = interpolate(from, fromSize, position);
    }
    return to;
}

// Every active CRTC with a gamma table that shows the point: several when outputs are cloned.
bool X11GammaRamp::findCrtcs(Display* display, int screenX, int screenY) {
    if (found_) return !crtcs_.empty();
    if (!display || xConnectionLost(display)) return false;
    ScreenState screen = captureScreenState(display);
    if (!screen.valid) return false;
    for (const CrtcState& crtc : screen.crtcs) {
        if (crtc.active() && !crtc.gamma.red.empty() && shows(crtc, screenX, screenY)) crtcs_.push_back(crtc.crtc);
    }
    found_ = !crtcs_.empty();
    return found_;
}

bool X11GammaRamp::read(Display* display, int screenX, int screenY, GammaRamp& ramp) {
    if (!findCrtcs(display, screenX, screenY) || xConnectionLost(display)) return false;
    XErrorTrap trap(display);
    std::vector<GammaTable> tables;
    for (RRCrtc crtc : crtcs_) tables.push_back(readGammaTable(display, crtc));
    const GammaTable& first = tables.front();
    int size = static_cast<int>(first.red.size());
    if (trap.failed() || size == 0) return false;
    const std::vector<std::uint16_t>* channels[3] = {&first.red, &first.green, &first.blue};
    GammaRamp read{};
    for (int c = 0; c < 3; ++c) {
        std::vector<std::uint16_t> channel = resampleChannel(channels[c]->data(), size, kRampSize);
        std::copy(channel.begin(), channel.end(), &read[c * kRampSize]);
    }
    ramp = read;
    handedOut_ = read;
    tablesRead_ = std::move(tables);
    return true;
}

// The table read from the CRTC when the ramp is the one handed out, else the ramp resampled
// to the CRTC's size.
GammaTable X11GammaRamp::tableFor(Display* display, RRCrtc crtc, const GammaRamp& ramp) const {
    int size = XRRGetCrtcGammaSize(display, crtc);
    if (ramp == handedOut_) {
        for (std::size_t i = 0; i < crtcs_.size() && i < tablesRead_.size(); ++i) {
            if (crtcs_[i] == crtc && static_cast<int>(tablesRead_[i].red.size()) == size) return tablesRead_[i];
        }
    }
    GammaTable table;
    if (size <= 0) return table;
    table.red = resampleChannel(&ramp[0], kRampSize, size);
    table.green = resampleChannel(&ramp[kRampSize], kRampSize, size);
    table.blue = resampleChannel(&ramp[2 * kRampSize], kRampSize, size);
    return table;
}

bool X11GammaRamp::write(Display* display, int screenX, int screenY, const GammaRamp& ramp) {
    if (!findCrtcs(display, screenX, screenY) || xConnectionLost(display)) return false;
    XErrorTrap trap(display);
    bool written = false;
    for (RRCrtc crtc : crtcs_) {
        GammaTable table = tableFor(display, crtc, ramp);
        if (table.red.empty()) continue;
        writeGammaTable(display, crtc, table);
        written = true;
    }
    return written && !trap.failed();
}

}  // namespace tarnel::platform
