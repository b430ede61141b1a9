// The configuration dialog on Windows: template 101 of the program's resources, run modally
// with DialogBoxParamA. Each user action goes to the toolkit-free logic and the controls are
// set again from the state it hands back, so the view holds nothing of its own.
#include "platform/config_dialog.h"
#include "resources/windows/resource_ids.h"

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "platform/win32/window_number.h"

namespace tarnel::platform {

static_assert(IDC_MODE_LIST == kModeList && IDC_USE_DESKTOP == kUseDesktopBox &&
              IDC_ENABLE_MUSIC == kEnableMusicBox && IDC_SHOW_TIME == kShowTimeBox &&
              IDC_RESTORE_DEFAULTS == kRestoreDefaultsButton && IDC_VISIT == kVisitButton &&
              IDC_ABOUT == kAboutButton && IDC_MOUSE_EXIT == kMouseExitBox &&
              IDC_VOLUME_LABEL == kVolumeLabel && IDC_VOLUME_BAR == kVolumeBar &&
              IDC_SHOW_FPS == kShowFpsBox && IDC_VSYNC == kVSyncBox && IDC_GAMMA_BAR == kGammaBar &&
              IDC_BRIGHTNESS_LABEL == kBrightnessLabel && IDC_DEFAULT_GAMMA == kDefaultGammaBox &&
              IDC_24_HOURS == kTwentyFourHourRadio && IDC_12_HOURS == kTwelveHourRadio &&
              IDC_SPEED_BAR == kSpeedBar && IDOK == kOkButton && IDCANCEL == kCancelButton,
              "the dialog template and the dialog logic number the controls alike");

namespace {

ConfigDialogLogic& logicOf(HWND dialog) {
    return *reinterpret_cast<ConfigDialogLogic*>(GetWindowLongPtrA(dialog, DWLP_USER));
}

void setBox(HWND dialog, int control, bool on, bool enabled = true) {
    CheckDlgButton(dialog, control, on ? BST_CHECKED : BST_UNCHECKED);
    EnableWindow(GetDlgItem(dialog, control), enabled);
}

void setBar(HWND dialog, int control, const TrackBarState& bar) {
    HWND window = GetDlgItem(dialog, control);
    SendMessageA(window, TBM_SETRANGE, FALSE, MAKELPARAM(bar.low, bar.high));
    SendMessageA(window, TBM_SETPAGESIZE, 0, bar.page);
    // Setting the position while the thumb is dragged would fight the drag.
    if (SendMessageA(window, TBM_GETPOS, 0, 0) != bar.position) SendMessageA(window, TBM_SETPOS, TRUE, bar.position);
    EnableWindow(window, bar.enabled);
}

void setLabel(HWND dialog, int control, const std::string& text, bool enabled) {
    SetDlgItemTextA(dialog, control, text.c_str());
    EnableWindow(GetDlgItem(dialog, control), enabled);
}

void selectMode(HWND dialog, const ConfigDialogState& s) {
    HWND list = GetDlgItem(dialog, kModeList);
    if (s.selectedMode >= 0 && s.selectedMode < static_cast<int>(s.modes.size()) &&
        SendMessageA(list, CB_GETCURSEL, 0, 0) != s.selectedMode)
        SendMessageA(list, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(s.modes[s.selectedMode].c_str()));
    EnableWindow(list, s.modeListEnabled);
}

void sync(HWND dialog) {
    const ConfigDialogState& s = logicOf(dialog).state();
    selectMode(dialog, s);
    setBox(dialog, kUseDesktopBox, s.useDesktop);
    setBox(dialog, kVSyncBox, s.vsync);
    setBox(dialog, kShowFpsBox, s.showFps);
    setBox(dialog, kMouseExitBox, s.mouseExit);
    setBox(dialog, kShowTimeBox, s.showTime);
    setBox(dialog, kTwelveHourRadio, s.twelveHour, s.radiosEnabled);
    setBox(dialog, kTwentyFourHourRadio, s.twentyFourHour, s.radiosEnabled);
    setBox(dialog, kEnableMusicBox, s.enableMusic);
    setBox(dialog, kDefaultGammaBox, s.defaultGamma);
    setBar(dialog, kVolumeBar, s.volume);
    setBar(dialog, kGammaBar, s.gamma);
    setBar(dialog, kSpeedBar, s.speed);
    setLabel(dialog, kVolumeLabel, s.volumeLabel, s.volumeLabelEnabled);
    setLabel(dialog, kBrightnessLabel, s.brightnessLabel, s.brightnessLabelEnabled);
}

INT_PTR CALLBACK aboutProc(HWND box, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetDlgItemTextA(box, IDC_ABOUT_TEXT, reinterpret_cast<ConfigDialogLogic*>(lParam)->state().aboutText.c_str());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            EndDialog(box, LOWORD(wParam));
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

INT_PTR onCommand(HWND dialog, int control, WORD code) {
    ConfigDialogLogic& logic = logicOf(dialog);
    if (control == kModeList) {
        if (code != CBN_SELCHANGE) return FALSE;
        logic.modeChosen(static_cast<int>(SendDlgItemMessageA(dialog, kModeList, CB_GETCURSEL, 0, 0)));
        return TRUE;
    }
    if (code != BN_CLICKED) return FALSE;
    if (control == kTwelveHourRadio || control == kTwentyFourHourRadio) {
        // The radio has already marked itself; the logic only takes note for OK.
        logic.radioChosen(control);
        return FALSE;
    }
    switch (logic.command(control)) {
    case CommandOutcome::NotHandled:
        return FALSE;
    case CommandOutcome::Close:
        if (!logic.state().saveFailure.empty())
            MessageBoxA(dialog, logic.state().saveFailure.c_str(), "Settings Not Saved", MB_OK | MB_ICONERROR);
        EndDialog(dialog, control);
        return TRUE;
    case CommandOutcome::ShowAbout:
        DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_ABOUT), dialog, aboutProc,
                        reinterpret_cast<LPARAM>(&logic));
        break;
    case CommandOutcome::VisitPage:
        // A failure to open the page shows nothing.
        ShellExecuteA(dialog, "open", logic.state().homePage.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        break;
    case CommandOutcome::Handled:
        break;
    }
    sync(dialog);
    return TRUE;
}

INT_PTR CALLBACK configurationProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        for (const std::string& mode : logicOf(dialog).state().modes)
            SendDlgItemMessageA(dialog, kModeList, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(mode.c_str()));
        sync(dialog);
        return TRUE;
    }
    case WM_COMMAND:
        return onCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_HSCROLL: {
        // Every notification code: keys, the wheel, clicks and drags all move the setting.
        auto bar = reinterpret_cast<HWND>(lParam);
        if (!bar) return FALSE;
        int position = static_cast<int>(SendMessageA(bar, TBM_GETPOS, 0, 0));
        logicOf(dialog).trackBarMoved(GetDlgCtrlID(bar), position);
        sync(dialog);
        return TRUE;
    }
    default:
        return FALSE;
    }
}

}  // namespace

bool runConfigDialog(ConfigDialogLogic& logic, std::uint64_t ownerWindow) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    InitCommonControlsEx(&controls);
    INT_PTR result = DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_CONFIGURATION),
                                     windowFromNumber(ownerWindow), configurationProc,
                                     reinterpret_cast<LPARAM>(&logic));
    return result > 0;
}

}  // namespace tarnel::platform
