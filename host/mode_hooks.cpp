// The dialog and preview modes come with their own modules; until they are wired in, this
// build says so and returns, as a mode that cannot open does.
#include "host/mode_hooks.h"

#include <cstdio>

namespace tarnel {

void runConfigure(SaverApp&, platform::Platform&) {
    std::fprintf(stderr, "tarnel: this build has no configuration dialog; edit the settings file instead\n");
}

void runPreview(SaverApp&, platform::Platform&) {
    std::fprintf(stderr, "tarnel: this build has no preview window\n");
}

}  // namespace tarnel
