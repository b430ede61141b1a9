// The configuration dialog and the preview window, entered from start-up.
#include "host/mode_hooks.h"

#include "host/dialog_controller.h"
#include "host/settings.h"
#include "host/user_settings.h"
#include "platform/config_dialog.h"

#include <cstdint>
#include <cstdio>

namespace tarnel {

void runConfigure(SaverApp& app, platform::Platform& platform) {
    DialogController controller(
        settings(), platform.primaryDisplayModes(), platform.desktopMode(),
        [](const Settings& edited, std::string& reason) { return saveUserSettings(edited, reason); },
        userSettingsLocation());
    auto owner = static_cast<std::uint64_t>(static_cast<std::uint32_t>(app.parentWindow));
    if (!platform::runConfigDialog(controller, owner))
        std::fprintf(stderr, "tarnel: the configuration dialog needs a display\n");
    // The dialog has shown a failed save already; the log keeps it as well.
    if (!controller.saved()) std::fprintf(stderr, "tarnel: %s\n", controller.state().saveFailure.c_str());
}

void runPreview(SaverApp& app, platform::Platform&) {
    platform::runPreviewWindow(static_cast<std::uint64_t>(static_cast<std::uint32_t>(app.parentWindow)));
}

}  // namespace tarnel
