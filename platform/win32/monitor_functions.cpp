// Adapters, their first monitor's description and their desktop rectangles.
#include "platform/win32/monitor_functions.h"

namespace tarnel::platform {

namespace {
// Only EnumDisplayDevicesA and MonitorFromRect are called; the others must merely exist.
constexpr const char* kNames[] = {"GetSystemMetrics", "MonitorFromWindow", "MonitorFromRect", "MonitorFromPoint",
                                  "EnumDisplayMonitors", "GetMonitorInfoA", "EnumDisplayDevicesA"};
}  // namespace

MonitorFunctions::MonitorFunctions() {
    HMODULE user32 = GetModuleHandleA("USER32");
    if (!user32) return;
    FARPROC found[7] = {};
    for (int i = 0; i < 7; ++i) {
        found[i] = GetProcAddress(user32, kNames[i]);
        if (!found[i]) return;
    }
    if (GetSystemMetrics(SM_CXVIRTUALSCREEN) < GetSystemMetrics(SM_CXSCREEN) ||
        GetSystemMetrics(SM_CYVIRTUALSCREEN) < GetSystemMetrics(SM_CYSCREEN))
        return;
    monitorFromRect_ = reinterpret_cast<MonitorFromRectFn>(reinterpret_cast<void*>(found[2]));
    enumDisplayDevices_ = reinterpret_cast<EnumDisplayDevicesFn>(reinterpret_cast<void*>(found[6]));
}

std::vector<DisplayDevice> MonitorFunctions::displayDevices() const {
    std::vector<DisplayDevice> devices;
    if (!found()) return devices;
    for (DWORD index = 0;; ++index) {
        DISPLAY_DEVICEA adapter{};
        adapter.cb = sizeof adapter;
        if (!enumDisplayDevices_(nullptr, index, &adapter, 0)) break;
        if (adapter.StateFlags & DISPLAY_DEVICE_MIRRORING_DRIVER) continue;
        DISPLAY_DEVICEA monitor{};
        monitor.cb = sizeof monitor;
        DisplayDevice device;
        device.adapterName.assign(adapter.DeviceString, strnlen(adapter.DeviceString, sizeof adapter.DeviceString));
        if (enumDisplayDevices_(adapter.DeviceName, 0, &monitor, 0))
            device.monitorName.assign(monitor.DeviceString, strnlen(monitor.DeviceString, sizeof monitor.DeviceString));
        device.primary = (adapter.StateFlags & DISPLAY_DEVICE_PRIMARY_DEVICE) != 0;
        DEVMODEA mode{};
        mode.dmSize = sizeof mode;
        if ((adapter.StateFlags & DISPLAY_DEVICE_ATTACHED_TO_DESKTOP) &&
            EnumDisplaySettingsA(adapter.DeviceName, ENUM_CURRENT_SETTINGS, &mode)) {
            int left = device.primary ? 0 : mode.dmPosition.x;
            int top = device.primary ? 0 : mode.dmPosition.y;
            RECT rect{left, top, left + static_cast<int>(mode.dmPelsWidth), top + static_cast<int>(mode.dmPelsHeight)};
            device.rect = Rect{rect.left, rect.top, rect.right, rect.bottom};
            device.attachedToDesktop = monitorFromRect_(&rect, MONITOR_DEFAULTTONULL) != nullptr;
        }
        devices.push_back(device);
    }
    return devices;
}

}  // namespace tarnel::platform
