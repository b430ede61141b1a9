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
    std::string reason;
    DialogController controller(settings(), platform.primaryDisplayModes(), platform.desktopMode(),
                                [&reason](const Settings& edited) { return saveUserSettings(edited, reason); });
    auto owner = static_cast<std::uint64_t>(static_cast<std::uint32_t>(app.parentWindow));
    if (!platform::runConfigDialog(controller, owner))
        std::fprintf(stderr, "tarnel: the configuration dialog needs a display\n");
    // The dialog closes on OK either way, as it always has; only the log tells a failed save.
    if (!controller.saved())
        std::fprintf(stderr, "tarnel: could not save the settings to %s: %s\n", userSettingsLocation().c_str(),
                     reason.c_str());
}

void runPreview(SaverApp& app, platform::Platform&) {
    platform::runPreviewWindow(static_cast<std::uint64_t>(static_cast<std::uint32_t>(app.parentWindow)));
}

}  // namespace tarnel
