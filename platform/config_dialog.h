// The configuration dialog as the window system sees it: a state record of every control,
// the logic behind it (kept in host/, free of any toolkit) and the view that shows it. The
// view only reports what the user did and draws the state the logic hands back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::platform {

// Control numbers of the dialog; the view places each one.
enum DialogControl : int {
    kOkButton = 1,
    kCancelButton = 2,
    kModeList = 1000,
    kUseDesktopBox = 1001,
    kEnableMusicBox = 1003,
    kShowTimeBox = 1004,
    kRestoreDefaultsButton = 1006,
    kVisitButton = 1007,
    kAboutButton = 1008,
    kMouseExitBox = 1011,
    kVolumeLabel = 1017,
    kVolumeBar = 1026,
    kShowFpsBox = 1027,
    kVSyncBox = 1028,
    kGammaBar = 1029,
    kBrightnessLabel = 1030,
    kDefaultGammaBox = 1032,
    kTwentyFourHourRadio = 1049,
    kTwelveHourRadio = 1054,
    kSpeedBar = 1057,
};

struct TrackBarState {
    int low = 0;
    int high = 100;
    int page = 10;
    int position = 0;
    bool enabled = true;
};

struct ConfigDialogState {
    std::vector<std::string> modes;   // "W x H B bits", in the display's order
    int selectedMode = -1;            // -1: no entry selected
    bool modeListEnabled = true;
    bool useDesktop = false;
    bool vsync = false;
    bool showFps = false;
    bool mouseExit = false;
    bool showTime = false;
    bool twelveHour = false;          // radio marks
    bool twentyFourHour = false;
    bool radiosEnabled = true;
    bool enableMusic = false;
    bool defaultGamma = false;
    TrackBarState volume;
    TrackBarState gamma;
    TrackBarState speed;
    std::string volumeLabel;
    bool volumeLabelEnabled = true;
    std::string brightnessLabel;
    bool brightnessLabelEnabled = true;
    std::string aboutText;
    std::string homePage;
    std::string saveFailure;          // after OK: why nothing was saved, for a message box; else empty
};

// What a command asks of the view besides redrawing the state.
enum class CommandOutcome { NotHandled, Handled, ShowAbout, VisitPage, Close };

class ConfigDialogLogic {
public:
    virtual ~ConfigDialogLogic() = default;
    virtual const ConfigDialogState& state() const = 0;
    // A button or check box was pressed.
    virtual CommandOutcome command(int control) = 0;
    virtual void radioChosen(int control) = 0;
    virtual void modeChosen(int index) = 0;
    // The bar has moved to position, by any means.
    virtual void trackBarMoved(int control, int position) = 0;
};

// Picture files of the dialog (the still beside the options) and of the preview.
struct ResourceImage {
    const std::uint8_t* bytes = nullptr;   // an embedded PNG, or null
    std::size_t size = 0;
    std::vector<std::string> fallbackFiles;  // tried in order when nothing is embedded
};
ResourceImage dialogPicture();
ResourceImage previewPicture();

// Shows the dialog modally, owned by the X window ownerWindow when it is not 0; returns
// when the logic closes it or the user closes the window, after a message box with the
// state's saveFailure where there is one. False when no display opens.
bool runConfigDialog(ConfigDialogLogic& logic, std::uint64_t ownerWindow);

// Shows the preview picture in a child of the X window parentWindow until that window goes
// away. False, after the error box, when the child window cannot be made.
bool runPreviewWindow(std::uint64_t parentWindow);

}  // namespace tarnel::platform
