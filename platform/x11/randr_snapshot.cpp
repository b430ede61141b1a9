// Reading and putting back an X screen's XRandR state.
#include "platform/x11/randr_snapshot.h"

#include "platform/x11/x_errors.h"

#include <algorithm>

namespace tarnel::platform {

namespace {

constexpr int kRandrCrtcs = 102;    // CRTCs and their gamma came with RandR 1.2
constexpr int kRandrCurrent = 103;  // reading the configuration without a probe, with 1.3

CrtcState readCrtc(Display* display, XRRScreenResources* resources, RRCrtc crtc) {
    CrtcState state;
    state.crtc = crtc;
    XRRCrtcInfo* info = XRRGetCrtcInfo(display, resources, crtc);
    if (!info) return state;
    state.mode = info->mode;
    state.x = info->x;
    state.y = info->y;
    state.width = info->width;
    state.height = info->height;
    state.rotation = info->rotation;
    state.outputs.assign(info->outputs, info->outputs + info->noutput);
    XRRFreeCrtcInfo(info);
    state.gamma = readGammaTable(display, crtc);
    return state;
}

const CrtcState* findCrtc(const ScreenState& state, RRCrtc crtc) {
    auto found = std::find_if(state.crtcs.begin(), state.crtcs.end(),
                              [crtc](const CrtcState& c) { return c.crtc == crtc; });
    return found == state.crtcs.end() ? nullptr : &*found;
}

void setCrtc(Display* display, XRRScreenResources* resources, const CrtcState& crtc) {
    std::vector<RROutput> outputs = crtc.outputs;
    XRRSetCrtcConfig(display, resources, crtc.crtc, CurrentTime, crtc.x, crtc.y, crtc.mode, crtc.rotation,
                     outputs.empty() ? nullptr : outputs.data(), static_cast<int>(outputs.size()));
}

// The CRTCs that differ are switched off first, so that the screen can take its old size
// whichever way it changes, then given their old configuration; the server is held
// meanwhile so that no client sees the steps in between.
bool restoreModes(Display* display, const ScreenState& saved, const ScreenState& now) {
    std::vector<const CrtcState*> changed;
    for (const CrtcState& crtc : saved.crtcs) {
        const CrtcState* current = findCrtc(now, crtc.crtc);
        if (current && !current->sameConfiguration(crtc)) changed.push_back(&crtc);
    }
    bool resize = now.width != saved.width || now.height != saved.height;
    if (changed.empty() && !resize) return false;
    XRRScreenResources* resources = currentScreenResources(display);
    if (!resources) return false;
    XGrabServer(display);
    for (const CrtcState* crtc : changed) {
        CrtcState off;
        off.crtc = crtc->crtc;
        setCrtc(display, resources, off);
    }
    if (resize)
        XRRSetScreenSize(display, DefaultRootWindow(display), saved.width, saved.height, saved.widthMm,
                         saved.heightMm);
    for (const CrtcState* crtc : changed) {
        if (crtc->mode != None) setCrtc(display, resources, *crtc);
    }
    XUngrabServer(display);
    XRRFreeScreenResources(resources);
    return true;
}

bool restoreGamma(Display* display, const ScreenState& saved, const ScreenState& now) {
    bool restored = false;
    for (const CrtcState& crtc : saved.crtcs) {
        const CrtcState* current = findCrtc(now, crtc.crtc);
        if (!current || crtc.gamma.red.empty() || current->gamma.red.size() != crtc.gamma.red.size() ||
            current->gamma == crtc.gamma)
            continue;
        writeGammaTable(display, crtc.crtc, crtc.gamma);
        restored = true;
    }
    return restored;
}

}  // namespace

int randrVersion(Display* display) {
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(display, &eventBase, &errorBase) || !XRRQueryVersion(display, &major, &minor)) return 0;
    return major * 100 + minor;
}

XRRScreenResources* currentScreenResources(Display* display) {
    int version = randrVersion(display);
    if (version < kRandrCrtcs) return nullptr;
    Window root = DefaultRootWindow(display);
    return version >= kRandrCurrent ? XRRGetScreenResourcesCurrent(display, root) : XRRGetScreenResources(display, root);
}

GammaTable readGammaTable(Display* display, RRCrtc crtc) {
    GammaTable table;
    if (XRRGetCrtcGammaSize(display, crtc) <= 0) return table;
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

void writeGammaTable(Display* display, RRCrtc crtc, const GammaTable& table) {
    int size = static_cast<int>(table.red.size());
    if (size == 0 || table.green.size() != table.red.size() || table.blue.size() != table.red.size()) return;
    XRRCrtcGamma* gamma = XRRAllocGamma(size);
    if (!gamma) return;
    std::copy(table.red.begin(), table.red.end(), gamma->red);
    std::copy(table.green.begin(), table.green.end(), gamma->green);
    std::copy(table.blue.begin(), table.blue.end(), gamma->blue);
    XRRSetCrtcGamma(display, crtc, gamma);
    XRRFreeGamma(gamma);
}

ScreenState captureScreenState(Display* display) {
    ScreenState state;
    XErrorTrap trap(display);
    XRRScreenResources* resources = currentScreenResources(display);
    if (!resources) return state;
    for (int i = 0; i < resources->ncrtc; ++i) state.crtcs.push_back(readCrtc(display, resources, resources->crtcs[i]));
    XRRFreeScreenResources(resources);
    // The root window's size, asked of the server: the size Xlib noted at connection time
    // goes stale once the screen changes.
    Window root = 0;
    int x = 0, y = 0;
    unsigned width = 0, height = 0, border = 0, depth = 0;
    XGetGeometry(display, DefaultRootWindow(display), &root, &x, &y, &width, &height, &border, &depth);
    state.width = static_cast<int>(width);
    state.height = static_cast<int>(height);
    state.widthMm = DisplayWidthMM(display, DefaultScreen(display));
    state.heightMm = DisplayHeightMM(display, DefaultScreen(display));
    state.valid = !trap.failed() && width > 0 && height > 0;
    return state;
}

RestoredParts restoreScreenState(Display* display, const ScreenState& saved, bool modes, bool gamma) {
    RestoredParts restored;
    if (!saved.valid) return restored;
    ScreenState now = captureScreenState(display);
    if (!now.valid) return restored;
    if (modes) {
        XErrorTrap trap(display);
        restored.modes = restoreModes(display, saved, now);
    }
    if (gamma) {
        // A mode set may load a CRTC's table anew, so the tables are compared after it.
        if (restored.modes) now = captureScreenState(display);
        XErrorTrap trap(display);
        restored.gamma = restoreGamma(display, saved, now);
    }
    return restored;
}

}  // namespace tarnel::platform
