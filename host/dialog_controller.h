// The configuration dialog's behaviour, free of any toolkit: it fills the controls from the
// settings, answers every command and track-bar move, and saves on OK. The view in
// platform/ shows its state and reports what the user did.
#pragma once

#include "host/settings.h"
#include "platform/config_dialog.h"
#include "platform/platform.h"

#include <functional>
#include <optional>
#include <vector>

namespace tarnel {

// The mode list's entries: modes of at least 640 x 480 and 16 bits, a run of modes that
// differ only in refresh rate giving one entry, in the display's order.
std::vector<std::string> modeListEntries(const std::vector<platform::DisplayMode>& modes);
std::string modeEntryText(const platform::DisplayMode& mode);

class DialogController : public platform::ConfigDialogLogic {
public:
    // Saves the settings; false, with the system's reason, when they could not be saved.
    using SaveFunction = std::function<bool(const Settings&, std::string& reason)>;

    // The controller edits settings in place; save runs on OK. location names where the
    // settings go (a file, a registry key), for the message about a failed save.
    DialogController(Settings& settings, const std::vector<platform::DisplayMode>& modes,
                     std::optional<platform::DisplayMode> desktop, SaveFunction save, std::string location);

    const platform::ConfigDialogState& state() const override { return state_; }
    platform::CommandOutcome command(int control) override;
    void radioChosen(int control) override;
    void modeChosen(int index) override;
    void trackBarMoved(int control, int position) override;

    // 0 while open, then the control that ended the dialog (OK or Cancel).
    int result() const { return result_; }
    // False once OK could not save the settings (an unwritable folder, a full disk).
    bool saved() const { return saved_; }

private:
    void selectEntry(const std::string& text);
    void selectDesktopMode();
    void showVolume();
    void showGamma();
    void restoreDefaults();
    void acceptAndSave();

    Settings& settings_;
    std::optional<platform::DisplayMode> desktop_;
    SaveFunction save_;
    std::string location_;
    platform::ConfigDialogState state_;
    int result_ = 0;
    bool saved_ = true;
};

}  // namespace tarnel
