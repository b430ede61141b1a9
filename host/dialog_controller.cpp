// Configuration dialog logic. The settings change as the user works; only OK writes them.
#include "host/dialog_controller.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace tarnel {

namespace {

using platform::CommandOutcome;

constexpr const char* kHomePage = "https://tarnel.org/";
constexpr const char* kAboutText =
    "Tarnel\n3D space screensaver\n\n"
    "A flight through a star system\nof planets, moons and stations.\n\n"
    "By the Tarnel authors.";

std::string percentText(const char* format, unsigned value) {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

// A combo box finds an entry by case-blind prefix of the text searched for.
bool startsWithNoCase(const std::string& entry, const std::string& text) {
    return entry.size() >= text.size() &&
           std::equal(text.begin(), text.end(), entry.begin(), [](char a, char b) {
               return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
           });
}

}  // namespace

std::string modeEntryText(const platform::DisplayMode& mode) {
    char text[96];
    std::snprintf(text, sizeof text, "%d x %d %d bits", mode.width, mode.height, mode.bitsPerPixel);
    return text;
}

std::vector<std::string> modeListEntries(const std::vector<platform::DisplayMode>& modes) {
    std::vector<std::string> entries;
    const platform::DisplayMode* previous = nullptr;
    for (const platform::DisplayMode& mode : modes) {
        if (mode.width < 640 || mode.height < 480 || mode.bitsPerPixel < 16) continue;
        bool same = previous && previous->width == mode.width && previous->height == mode.height &&
                    previous->bitsPerPixel == mode.bitsPerPixel;
        previous = &mode;
        if (!same) entries.push_back(modeEntryText(mode));
    }
    return entries;
}

DialogController::DialogController(Settings& settings, const std::vector<platform::DisplayMode>& modes,
                                   std::optional<platform::DisplayMode> desktop, SaveFunction save,
                                   std::string location)
    : settings_(settings), desktop_(desktop), save_(std::move(save)), location_(std::move(location)) {
    platform::ConfigDialogState& s = state_;
    s.modes = modeListEntries(modes);
    if (settings_.UseDesktop) {
        selectDesktopMode();
    } else {
        platform::DisplayMode stored{static_cast<int>(settings_.Width), static_cast<int>(settings_.Height),
                                     static_cast<int>(settings_.Depth), 0};
        selectEntry(modeEntryText(stored));
    }
    s.modeListEnabled = !settings_.UseDesktop;
    s.useDesktop = settings_.UseDesktop;
    s.enableMusic = settings_.EnableMusic;
    s.defaultGamma = settings_.DefGamma;
    s.showTime = settings_.ShowClock;
    s.showFps = settings_.ShowFPS;
    s.vsync = settings_.VSync;
    s.mouseExit = settings_.MouseExit;
    s.twelveHour = settings_.TimeFormat;
    s.twentyFourHour = !settings_.TimeFormat;
    s.radiosEnabled = settings_.ShowClock;
    s.volume = {1, 100, 10, static_cast<int>(settings_.Volume), settings_.EnableMusic};
    s.gamma = {0, 100, 10, static_cast<int>(settings_.Gamma), !settings_.DefGamma};
    s.speed = {0, 100, 10, static_cast<int>(settings_.Speed), true};
    s.volumeLabelEnabled = settings_.EnableMusic;
    s.brightnessLabelEnabled = !settings_.DefGamma;
    showVolume();
    showGamma();
    s.aboutText = kAboutText;
    s.homePage = kHomePage;
}

void DialogController::selectEntry(const std::string& text) {
    // Like a combo box search: a miss leaves the selection as it was.
    for (std::size_t i = 0; i < state_.modes.size(); ++i) {
        if (startsWithNoCase(state_.modes[i], text)) {
            state_.selectedMode = static_cast<int>(i);
            return;
        }
    }
}

void DialogController::selectDesktopMode() {
    if (desktop_) selectEntry(modeEntryText(*desktop_));
}

void DialogController::showVolume() {
    state_.volumeLabel = percentText("Volume (%d%%)", settings_.Volume);
}

void DialogController::showGamma() {
    state_.brightnessLabel = percentText("Brightness (%d%%)", settings_.Gamma + 50);
}

CommandOutcome DialogController::command(int control) {
    platform::ConfigDialogState& s = state_;
    switch (control) {
    case platform::kOkButton:
        acceptAndSave();
        return CommandOutcome::Close;
    case platform::kCancelButton:
        result_ = platform::kCancelButton;
        return CommandOutcome::Close;
    case platform::kUseDesktopBox:
        settings_.UseDesktop = !settings_.UseDesktop;
        s.useDesktop = settings_.UseDesktop;
        s.modeListEnabled = !settings_.UseDesktop;
        if (settings_.UseDesktop) selectDesktopMode();
        return CommandOutcome::Handled;
    case platform::kEnableMusicBox:
        settings_.EnableMusic = !settings_.EnableMusic;
        s.enableMusic = s.volume.enabled = s.volumeLabelEnabled = settings_.EnableMusic;
        return CommandOutcome::Handled;
    case platform::kShowTimeBox:
        settings_.ShowClock = !settings_.ShowClock;
        s.showTime = s.radiosEnabled = settings_.ShowClock;
        return CommandOutcome::Handled;
    case platform::kRestoreDefaultsButton:
        restoreDefaults();
        return CommandOutcome::Handled;
    case platform::kVisitButton:
        return CommandOutcome::VisitPage;
    case platform::kAboutButton:
        return CommandOutcome::ShowAbout;
    case platform::kMouseExitBox:
        s.mouseExit = settings_.MouseExit = !settings_.MouseExit;
        return CommandOutcome::Handled;
    case platform::kShowFpsBox:
        s.showFps = settings_.ShowFPS = !settings_.ShowFPS;
        return CommandOutcome::Handled;
    case platform::kVSyncBox:
        s.vsync = settings_.VSync = !settings_.VSync;
        return CommandOutcome::Handled;
    case platform::kDefaultGammaBox:
        settings_.DefGamma = !settings_.DefGamma;
        s.defaultGamma = settings_.DefGamma;
        settings_.Gamma = 50;
        s.gamma.position = 50;
        s.gamma.enabled = s.brightnessLabelEnabled = !settings_.DefGamma;
        showGamma();
        return CommandOutcome::Handled;
    default:
        return CommandOutcome::NotHandled;
    }
}

void DialogController::restoreDefaults() {
    platform::ConfigDialogState& s = state_;
    selectDesktopMode();
    s.modeListEnabled = false;
    settings_.UseDesktop = s.useDesktop = true;

    settings_.EnableMusic = s.enableMusic = true;
    settings_.Volume = 100;
    settings_.Gamma = 50;
    s.volume.enabled = s.volumeLabelEnabled = true;
    showVolume();
    showGamma();

    settings_.ShowClock = s.showTime = true;
    settings_.ShowFPS = s.showFps = false;
    settings_.VSync = s.vsync = false;
    settings_.MouseExit = s.mouseExit = false;

    s.volume.position = 100;
    s.gamma.position = 50;

    settings_.DefGamma = s.defaultGamma = true;
    s.gamma.enabled = s.brightnessLabelEnabled = false;
}

void DialogController::acceptAndSave() {
    if (state_.selectedMode >= 0 && state_.selectedMode < static_cast<int>(state_.modes.size())) {
        int width = 0, height = 0, bits = 0;
        if (std::sscanf(state_.modes[state_.selectedMode].c_str(), "%d x %d %d bits", &width, &height, &bits) == 3) {
            settings_.Width = static_cast<std::uint32_t>(width);
            settings_.Height = static_cast<std::uint32_t>(height);
            settings_.Depth = static_cast<std::uint32_t>(bits);
        }
    }
    settings_.TimeFormat = state_.twelveHour;
    std::string reason;
    if (save_) saved_ = save_(settings_, reason);
    if (!saved_)
        state_.saveFailure = "The settings could not be saved to " + location_ + (reason.empty() ? "" : ": " + reason);
    result_ = platform::kOkButton;
}

void DialogController::radioChosen(int control) {
    if (control != platform::kTwelveHourRadio && control != platform::kTwentyFourHourRadio) return;
    if (!state_.radiosEnabled) return;
    state_.twelveHour = control == platform::kTwelveHourRadio;
    state_.twentyFourHour = !state_.twelveHour;
}

void DialogController::modeChosen(int index) {
    if (!state_.modeListEnabled || index < -1 || index >= static_cast<int>(state_.modes.size())) return;
    state_.selectedMode = index;
}

void DialogController::trackBarMoved(int control, int position) {
    platform::TrackBarState* bar = control == platform::kVolumeBar ? &state_.volume
                                   : control == platform::kGammaBar ? &state_.gamma
                                   : control == platform::kSpeedBar ? &state_.speed
                                                                     : nullptr;
    if (!bar || !bar->enabled) return;
    // However the bar was moved (keys, wheel, click or drag), its setting and label follow.
    bar->position = std::clamp(position, bar->low, bar->high);
    auto value = static_cast<std::uint32_t>(bar->position);
    if (bar == &state_.volume) {
        settings_.Volume = value;
        showVolume();
    } else if (bar == &state_.gamma) {
        settings_.Gamma = value;
        showGamma();
    } else {
        settings_.Speed = value;
    }
}

}  // namespace tarnel
