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
    using SaveFunction = std::function<bool(const Settings&)>;

    // The controller edits settings in place; save runs on OK.
    DialogController(Settings& settings, const std::vector<platform::DisplayMode>& modes,
                     std::optional<platform::DisplayMode> desktop, SaveFunction save);

    const platform::ConfigDialogState& state() const override { return state_; }
    platform::CommandOutcome command(int control) override;
    void radioChosen(int control) override;
    void modeChosen(int index) override;
    void trackBarMoved(int control, int position, platform::TrackMove move) override;

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
    platform::ConfigDialogState state_;
    int result_ = 0;
    bool saved_ = true;
};

}  // namespace tarnel
