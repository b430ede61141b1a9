// Monitor entries from the platform's display list, in its order.
#include "host/monitors.h"

namespace tarnel {

namespace {
std::string bounded(const std::string& text) { return text.substr(0, kMonitorNameLimit); }

bool sameRect(const platform::Rect& a, const platform::Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// A display showing exactly the area of one listed before it mirrors that one: like a
// mirroring driver it takes no entry, or a black window would cover the picture.
bool mirrorsEarlier(const std::vector<platform::DisplayDevice>& devices, std::size_t index) {
    const platform::DisplayDevice& device = devices[index];
    if (!device.attachedToDesktop) return false;
    for (std::size_t i = 0; i < index; ++i) {
        if (devices[i].attachedToDesktop && sameRect(devices[i].rect, device.rect)) return true;
    }
    return false;
}
}  // namespace

std::uint32_t enumerateMonitors(const std::vector<platform::DisplayDevice>& devices,
                                std::array<MonitorInfo, kMaxMonitors>& monitors) {
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < devices.size() && count < kMaxMonitors; ++i) {
        const platform::DisplayDevice& device = devices[i];
        if (mirrorsEarlier(devices, i)) continue;
        MonitorInfo entry;
        entry.adapterName = bounded(device.adapterName);
        entry.monitorName = bounded(device.monitorName);
        if (device.attachedToDesktop) {
            entry.monitor = static_cast<int>(i) + 1;
            entry.rect = device.rect;
            if (device.primary) {
                // The primary display's corner is the virtual screen's origin.
                entry.rect = platform::Rect{0, 0, device.rect.width(), device.rect.height()};
            }
        }
        monitors[count++] = entry;
    }
    for (std::size_t i = count; i < kMaxMonitors; ++i) monitors[i] = MonitorInfo{};
    return count;
}

}  // namespace tarnel
