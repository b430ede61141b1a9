// Exclusive step timing of the package load.
#include "assets/load_timing.h"

namespace tarnel {

const char* loadStepName(LoadStep step) {
    switch (step) {
    case LoadStep::Archive: return "archive";
    case LoadStep::JpegDecode: return "jpeg_decode";
    case LoadStep::Mipmaps: return "mipmaps";
    case LoadStep::Meshes: return "meshes";
    case LoadStep::Scripts: return "scripts";
    default: return "other";
    }
}

void LoadTiming::start() {
    seconds.fill(0.0);
    current = LoadStep::Other;
    since = Clock::now();
}

void LoadTiming::switchTo(LoadStep step) {
    Clock::time_point now = Clock::now();
    seconds[static_cast<int>(current)] += std::chrono::duration<double>(now - since).count();
    since = now;
    current = step;
}

LoadTiming& loadTiming() {
    // The one load of the process is timed here.
    static LoadTiming timing;
    return timing;
}

ScopedLoadStep::ScopedLoadStep(LoadStep step) {
    LoadTiming& timing = loadTiming();
    if (!timing.enabled) return;
    active_ = true;
    outer_ = timing.current;
    timing.switchTo(step);
}

ScopedLoadStep::~ScopedLoadStep() {
    if (active_) loadTiming().switchTo(outer_);
}

}  // namespace tarnel
