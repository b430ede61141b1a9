// The configuration dialog and the preview window, entered from start-up.
#pragma once

#include "host/saver_app.h"
#include "platform/platform.h"

namespace tarnel {

void runConfigure(SaverApp& app, platform::Platform& platform);
void runPreview(SaverApp& app, platform::Platform& platform);

}  // namespace tarnel
