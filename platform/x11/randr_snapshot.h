// What a saver run may change on an X screen through XRandR: the screen size, each CRTC's
// mode, position, rotation and outputs, and each CRTC's gamma table. Read before the run
// changes anything and put back after it, by the run itself or, when it died, by its display
// watcher. Putting back touches only what differs, so a screen that is as it was stays alone.
// Relies on RandR 1.2 or later.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <cstdint>
#include <vector>

namespace tarnel::platform {

struct GammaTable {
    std::vector<std::uint16_t> red, green, blue;  // the CRTC's own size; empty: none
    bool operator==(const GammaTable& other) const {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

struct CrtcState {
    RRCrtc crtc = 0;
    RRMode mode = None;               // None: the CRTC is off
    int x = 0;                        // screen pixels
    int y = 0;
    unsigned width = 0;               // pixels, as the mode and rotation give them
    unsigned height = 0;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
    GammaTable gamma;

    bool sameConfiguration(const CrtcState& other) const {
        return mode == other.mode && x == other.x && y == other.y && rotation == other.rotation &&
               outputs == other.outputs;
    }
    bool active() const { return mode != None && !outputs.empty(); }
};

struct ScreenState {
    bool valid = false;               // RandR 1.2 or later answered
    int width = 0;                    // pixels
    int height = 0;
    int widthMm = 0;
    int heightMm = 0;
    std::vector<CrtcState> crtcs;
};

// RandR's version as major * 100 + minor; 0 without the extension.
int randrVersion(Display* display);

// The current configuration, without probing the outputs where the server allows it. Free
// with XRRFreeScreenResources; null without RandR 1.2.
XRRScreenResources* currentScreenResources(Display* display);

GammaTable readGammaTable(Display* display, RRCrtc crtc);
void writeGammaTable(Display* display, RRCrtc crtc, const GammaTable& table);

ScreenState captureScreenState(Display* display);

struct RestoredParts {
    bool modes = false;               // some CRTC or the screen size had to be put back
    bool gamma = false;               // some gamma table had to be put back
};
// Puts back the configuration and then the gamma tables (as asked) where they differ from
// the saved state.
RestoredParts restoreScreenState(Display* display, const ScreenState& saved, bool modes, bool gamma);

}  // namespace tarnel::platform
