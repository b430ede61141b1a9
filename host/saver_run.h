// The saver run: windows over every monitor, the full-screen mode, the GL start state, the
// scene load with its loading screen, music, and the loop that draws frames until a key,
// a click, mouse travel, a quit request or a stop signal ends it; then the end steps put
// the display mode, the gamma ramp and the cursor back.
#pragma once

#include "host/options.h"
#include "host/saver_app.h"
#include "host/settings.h"
#include "platform/platform.h"

#include <string>

namespace tarnel {

struct SaverRunResult {
    bool ran = false;          // the loop was entered
    long frames = 0;           // frames drawn
    double loopSeconds = 0.0;  // wall time of the loop, from the first frame to the last swap
    bool renderWritten = false;
    std::string renderError;   // why the --render file could not be written
};

SaverRunResult runSaver(SaverApp& app, platform::Platform& platform, const Settings& settings,
                        const RunOptions& options);

}  // namespace tarnel
