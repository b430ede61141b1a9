// XRandR CRTC gamma for the SDL backend: finds the CRTCs whose geometry is the window's SDL
// display, reads and writes their tables, and resamples between their sizes and 256.
#include "platform/sdl/x11_gamma.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

#include <algorithm>
#include <cmath>

namespace tarnel::platform {

namespace {

constexpr int kRampSize = 256;  // entries per channel in the platform's ramp

// The tables read last, one per CRTC, with the 256-entry ramp they were handed out as. A CRTC
// table larger than 256 does not survive resampling down and up again, so writing that same
// ramp back (the end of a saver run) writes these instead. Only the main thread, inside
// readX11GammaRamp and writeX11GammaRamp, touches it.
struct SavedTable {
    RRCrtc crtc = 0;
    std::vector<std::uint16_t> red, green, blue;
};
struct SavedRamp {
    GammaRamp ramp{};
    std::vector<SavedTable> tables;
};
SavedRamp savedRamp;

// X errors during our requests (a CRTC gone between two calls): counted, so that Xlib's
// default handler does not end the process. Written only by the handler below.
int xErrors = 0;

int countError(Display*, XErrorEvent*) {
    ++xErrors;
    return 0;
}

// Installs countError for the lifetime of the object, after a sync so that errors of earlier
// requests still reach the previous handler; the destructor syncs, so every error of the
// requests made meanwhile has been counted, then puts back the previous handler.
class ErrorTrap {
public:
    explicit ErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        previous_ = XSetErrorHandler(countError);
        xErrors = 0;
    }
    ~ErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    ErrorTrap(const ErrorTrap&) = delete;
    ErrorTrap& operator=(const ErrorTrap&) = delete;
    bool failed() {
        XSync(display_, False);
        return xErrors != 0;
    }

private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

struct X11Target {
    Display* display = nullptr;
    std::vector<RRCrtc> crtcs;  // driving the window's display, with a gamma table
};

// RandR's version as major * 100 + minor; 0 without the extension.
int randrVersion(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor)) return 0;
    return major * 100 + minor;
}

bool contains(const SDL_Rect& r, int x, int y) {
    return x >= r.x && x < r.x + r.w && y >= r.y && y < r.y + r.h;
}

// CRTCs with exactly the display's bounds (several when cloned); failing that, those showing
// its centre (a transform or panning can make the two differ).
std::vector<RRCrtc> crtcsShowing(Display* display, Window window, const SDL_Rect& bounds, bool randr13) {
    std::vector<RRCrtc> exact, centre;
    // The current configuration, without a probe of the outputs, where the server has it.
    XRRScreenResources* resources =
        randr13 ? XRRGetScreenResourcesCurrent(display, window) : XRRGetScreenResources(display, window);
    if (!resources) return exact;
    for (int i = 0; i < resources->ncrtc; ++i) {
        XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, resources->crtcs[i]);
        if (!info) continue;
        SDL_Rect crtc{info->x, info->y, static_cast<int>(info->width), static_cast<int>(info->height)};
        bool active = info->mode != None && info->noutput > 0;
        XRRFreeCrtcInfo(info);
        if (!active || XRRGetCrtcGammaSize(display, resources->crtcs[i]) <= 0) continue;
        if (SDL_RectEquals(&crtc, &bounds)) exact.push_back(resources->crtcs[i]);
        if (contains(crtc, bounds.x + bounds.w / 2, bounds.y + bounds.h / 2)) centre.push_back(resources->crtcs[i]);
    }
    XRRFreeScreenResources(resources);
    return exact.empty() ? centre : exact;
}

// SDL's X connection and the CRTCs for the window; no display under other video drivers.
X11Target findTarget(SDL_Window* window) {
    X11Target target;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!window || !SDL_GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return target;
    int index = SDL_GetWindowDisplayIndex(window);
    SDL_Rect bounds{};
    if (index < 0 || SDL_GetDisplayBounds(index, &bounds) != 0) return target;
    Display* display = info.info.x11.display;
    int version = display ? randrVersion(display) : 0;
    if (version < 102) return target;  // CRTC gamma came with RandR 1.2
    ErrorTrap trap(display);
    std::vector<RRCrtc> crtcs = crtcsShowing(display, info.info.x11.window, bounds, version >= 103);
    if (trap.failed()) return target;
    target.display = display;
    target.crtcs = std::move(crtcs);
    return target;
}

std::uint16_t interpolate(const std::uint16_t* from, int fromSize, double position) {
    int below = std::min(static_cast<int>(position), fromSize - 1);
    int above = std::min(below + 1, fromSize - 1);
    double value = from[below] + (from[above] - from[below]) * (position - below);
    return static_cast<std::uint16_t>(std::lround(std::clamp(value, 0.0, 65535.0)));
}

SavedTable readTable(Display* display, RRCrtc crtc) {
    SavedTable table;
    table.crtc = crtc;
    XRRCrtcGamma* gamma = XRRGetCrtcGamma(display, crtc);
    if (!gamma) return table;
    if (gamma->size > 0) {
        table.red.assign(gamma->red, gamma->red + gamma->size);
        table.green.assign(gamma->green, gamma->green + gamma->size);
        table.blue.assign(gamma->blue, gamma->blue + gamma->size);
    }
    XRRFreeGamma(gamma);
    return table;
}

void writeTable(Display* display, const SavedTable& table) {
    int size = static_cast<int>(table.red.size());
    XRRCrtcGamma* gamma = XRRAllocGamma(size);
    if (!gamma) return;
    std::copy(table.red.begin(), table.red.end(), gamma->red);
    std::copy(table.green.begin(), table.green.end(), gamma->green);
    std::copy(table.blue.begin(), table.blue.end(), gamma->blue);
    XRRSetCrtcGamma(display, table.crtc, gamma);
    XRRFreeGamma(gamma);
}

// The table to write to one CRTC: the one read from it when the ramp is the one handed out,
// else the ramp resampled to the CRTC's size.
SavedTable tableFor(Display* display, RRCrtc crtc, const GammaRamp& ramp) {
    int size = XRRGetCrtcGammaSize(display, crtc);
    if (ramp == savedRamp.ramp) {
        for (const SavedTable& saved : savedRamp.tables) {
            if (saved.crtc == crtc && static_cast<int>(saved.red.size()) == size) return saved;
        }
    }
    SavedTable table;
    table.crtc = crtc;
    if (size <= 0) return table;
    table.red = resampleChannel(&ramp[0], kRampSize, size);
    table.green = resampleChannel(&ramp[kRampSize], kRampSize, size);
    table.blue = resampleChannel(&ramp[2 * kRampSize], kRampSize, size);
    return table;
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

bool readX11GammaRamp(SDL_Window* window, GammaRamp& ramp) {
    X11Target target = findTarget(window);
    if (!target.display || target.crtcs.empty()) return false;
    ErrorTrap trap(target.display);
    SavedRamp read;
    for (RRCrtc crtc : target.crtcs) read.tables.push_back(readTable(target.display, crtc));
    const SavedTable& first = read.tables.front();
    int size = static_cast<int>(first.red.size());
    if (trap.failed() || size == 0) return false;
    std::vector<std::uint16_t> channels[3] = {resampleChannel(first.red.data(), size, kRampSize),
                                              resampleChannel(first.green.data(), size, kRampSize),
                                              resampleChannel(first.blue.data(), size, kRampSize)};
    for (int c = 0; c < 3; ++c) std::copy(channels[c].begin(), channels[c].end(), &read.ramp[c * kRampSize]);
    ramp = read.ramp;
    savedRamp = std::move(read);
    return true;
}

bool writeX11GammaRamp(SDL_Window* window, const GammaRamp& ramp) {
    X11Target target = findTarget(window);
    if (!target.display || target.crtcs.empty()) return false;
    ErrorTrap trap(target.display);
    bool written = false;
    for (RRCrtc crtc : target.crtcs) {
        SavedTable table = tableFor(target.display, crtc, ramp);
        if (table.red.empty()) continue;
        writeTable(target.display, table);
        written = true;
    }
    return written && !trap.failed();
}

}  // namespace tarnel::platform
