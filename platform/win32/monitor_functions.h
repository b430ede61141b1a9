// The multi-monitor functions of USER32, looked up by name at run time so that the program
// also starts on a system without them, and the display devices found through them.
#pragma once

#include "platform/platform.h"

#include <windows.h>

#include <vector>

namespace tarnel::platform {

class MonitorFunctions {
public:
    // Looks up the seven names in their fixed order; all are forgotten when one is missing
    // or the virtual screen is smaller than the primary screen.
    MonitorFunctions();
    bool found() const { return enumDisplayDevices_ != nullptr; }

    // Adapters in enumeration order, mirroring drivers left out; empty without the functions.
    std::vector<DisplayDevice> displayDevices() const;

private:
    using EnumDisplayDevicesFn = BOOL(WINAPI*)(LPCSTR, DWORD, PDISPLAY_DEVICEA, DWORD);
    using MonitorFromRectFn = HMONITOR(WINAPI*)(LPCRECT, DWORD);
    EnumDisplayDevicesFn enumDisplayDevices_ = nullptr;
    MonitorFromRectFn monitorFromRect_ = nullptr;
};

}  // namespace tarnel::platform
