#include "host/monitors.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

platform::DisplayDevice display(int left, int top, int width, int height, bool primary = false) {
    platform::DisplayDevice d;
    d.adapterName = "adapter";
    d.monitorName = "monitor";
    d.attachedToDesktop = true;
    d.primary = primary;
    d.rect = platform::Rect{left, top, left + width, top + height};
    return d;
}

TEST(Monitors, TakesEveryDisplayWithItsDesktopRectangle) {
    std::array<MonitorInfo, kMaxMonitors> monitors;
    auto count = enumerateMonitors({display(0, 0, 1280, 1024, true), display(1280, 0, 1024, 768),
                                    display(-800, 0, 800, 600)},
                                   monitors);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(monitors[0].monitor, 1);
    EXPECT_EQ(monitors[1].rect.left, 1280);
    EXPECT_EQ(monitors[1].rect.top, 0);
    EXPECT_EQ(monitors[1].rect.right, 2304);
    EXPECT_EQ(monitors[1].rect.bottom, 768);
    EXPECT_EQ(monitors[2].rect.left, -800);
    EXPECT_EQ(monitors[2].window, platform::kNoWindow);
}

TEST(Monitors, PrimaryDisplaySitsAtTheOrigin) {
    std::array<MonitorInfo, kMaxMonitors> monitors;
    enumerateMonitors({display(100, 50, 1920, 1080, true)}, monitors);
    EXPECT_EQ(monitors[0].rect.left, 0);
    EXPECT_EQ(monitors[0].rect.top, 0);
    EXPECT_EQ(monitors[0].rect.right, 1920);
    EXPECT_EQ(monitors[0].rect.bottom, 1080);
}

TEST(Monitors, DetachedDisplayTakesAnEntryWithoutAMonitor) {
    std::array<MonitorInfo, kMaxMonitors> monitors;
    platform::DisplayDevice detached = display(5, 5, 10, 10);
    detached.attachedToDesktop = false;
    ASSERT_EQ(enumerateMonitors({display(0, 0, 640, 480, true), detached}, monitors), 2u);
    EXPECT_EQ(monitors[1].monitor, 0);
    EXPECT_EQ(monitors[1].rect.right, 0);
}

TEST(Monitors, AMirrorTakesNoEntry) {
    std::array<MonitorInfo, kMaxMonitors> monitors;
    platform::DisplayDevice detached = display(0, 0, 1280, 1024);
    detached.attachedToDesktop = false;
    auto count = enumerateMonitors({display(0, 0, 1280, 1024, true), display(1280, 0, 1024, 768),
                                    display(0, 0, 1280, 1024), detached, display(1280, 0, 1024, 768)},
                                   monitors);
    ASSERT_EQ(count, 3u);
    EXPECT_EQ(monitors[1].rect.left, 1280);
    EXPECT_EQ(monitors[2].monitor, 0) << "a detached display shows nothing, so it mirrors nothing";
}

TEST(Monitors, KeepsNineAndBoundsTheNames) {
    std::vector<platform::DisplayDevice> devices;
    for (int i = 0; i < 12; ++i) devices.push_back(display(640 * i, 0, 640, 480));
    devices[0].adapterName = std::string(500, 'a');
    std::array<MonitorInfo, kMaxMonitors> monitors;
    EXPECT_EQ(enumerateMonitors(devices, monitors), 9u);
    EXPECT_EQ(monitors[0].adapterName.size(), kMonitorNameLimit);
    EXPECT_EQ(enumerateMonitors({}, monitors), 0u);
    EXPECT_EQ(monitors[0].monitor, 0) << "entries past the count are cleared";
}

}  // namespace
}  // namespace tarnel
