// The gamma ramp of the monitor showing the saver's window, through XRandR CRTC gamma. The
// CRTCs are found through the root window once, at the first read or write, and kept: the
// ramp goes back to them at the end of a run even when the window is gone by then.
// Relies on RandR 1.2 or later.
#pragma once

#include "platform/platform.h"
#include "platform/x11/randr_snapshot.h"

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

namespace tarnel::platform {

class X11GammaRamp {
public:
    // Reads the ramp of the first CRTC showing the point (screen pixels), resampled to 256
    // entries per channel. False, with the ramp untouched, without a display, without RandR
    // 1.2, or when no CRTC with a gamma table shows that point.
    bool read(Display* display, int screenX, int screenY, GammaRamp& ramp);
    // Writes the ramp, resampled to each CRTC's own size, to every CRTC showing the point (or
    // found earlier). A ramp equal to the one read last writes back the tables exactly as read.
    bool write(Display* display, int screenX, int screenY, const GammaRamp& ramp);

private:
    bool findCrtcs(Display* display, int screenX, int screenY);
    GammaTable tableFor(Display* display, RRCrtc crtc, const GammaRamp& ramp) const;

    bool found_ = false;
    std::vector<RRCrtc> crtcs_;
    // The tables read last, one per CRTC, and the 256-entry ramp they were handed out as. A
    // table larger than 256 does not survive resampling down and up again, so writing that
    // same ramp back writes these instead.
    GammaRamp handedOut_{};
    std::vector<GammaTable> tablesRead_;
};

// One channel of 256 entries resampled to `size` entries, and back, by linear interpolation;
// both ends stay at both ends, and size 256 copies.
std::vector<std::uint16_t> resampleChannel(const std::uint16_t* from, int fromSize, int toSize);

}  // namespace tarnel::platform
