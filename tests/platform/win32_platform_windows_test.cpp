// The Windows backend against the real system calls (under Wine in CI): the registry store,
// and the saver window procedure's handling of keys, clicks, system commands, closing and
// the synchronous loading tick.
#include "platform/platform.h"
#include "platform/settings_store.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

namespace tarnel::platform {
namespace {

constexpr const char* kTestKey = "Software\\Vossick\\TarnelTest";

TEST(Win32Registry, StoresNumbersAndReadsTextUnderTheKey) {
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
    {
        auto writer = openSettingsStore(StoreAccess::Write, kTestKey);
        ASSERT_TRUE(writer);
        EXPECT_TRUE(writer->writeNumber("Width", 1280));
        EXPECT_TRUE(writer->writeNumber("ShowFlame", 0));
    }
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, kTestKey, 0, KEY_WRITE, &key), ERROR_SUCCESS);
    const char path[] = "C:\\Tarnel data";
    RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
    const char wide[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    RegSetValueExA(key, "Depth", 0, REG_BINARY, reinterpret_cast<const BYTE*>(wide), sizeof wide);
    RegCloseKey(key);

    auto reader = openSettingsStore(StoreAccess::Read, kTestKey);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->readNumber("Width"), 1280u);
    EXPECT_EQ(reader->readNumber("ShowFlame"), 0u);
    EXPECT_FALSE(reader->readNumber("Height"));  // missing
    EXPECT_FALSE(reader->readNumber("Depth"));   // larger than 4 bytes
    EXPECT_EQ(reader->readText("Path", 255), std::string("C:\\Tarnel data"));
    EXPECT_FALSE(reader->readText("Path", 5));
    EXPECT_FALSE(reader->readText("Width", 255));  // not text
    reader.reset();
    RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
}

class SaverWindow : public ::testing::Test {
protected:
    void SetUp() override {
        platform = createDesktopPlatform();
        ASSERT_TRUE(platform);
        ASSERT_NE(platform->openMainWindow(Rect{0, 0, 64, 48}), kNoWindow);
        window = FindWindowA("MyWindow", "Tarnel");
        ASSERT_TRUE(window);
    }
    void TearDown() override {
        if (platform) {
            platform->destroyGlContext();
            platform->closeWindows();
        }
    }
    // Every event the next polls give, until none is waiting.
    std::vector<InputEvent> drain() {
        std::vector<InputEvent> events;
        InputEvent event;
        while (platform->pollEvent(event)) events.push_back(event);
        return events;
    }

    std::unique_ptr<Platform> platform;
    HWND window = nullptr;
};

TEST_F(SaverWindow, KeysAndLeftOrRightClicksBecomeEventsAndTheMiddleButtonDoesNot) {
    PostMessageA(window, WM_KEYDOWN, 'A', 0);
    PostMessageA(window, WM_KEYUP, 'A', 0);
    PostMessageA(window, WM_MBUTTONDOWN, 0, 0);
    PostMessageA(window, WM_RBUTTONDOWN, 0, 0);
    PostMessageA(window, WM_MOUSEMOVE, 0, MAKELPARAM(40, 30));
    std::vector<InputEvent> events = drain();
    ASSERT_EQ(events.size(), 4u);
    EXPECT_EQ(events[0].type, EventType::KeyDown);
    EXPECT_EQ(events[0].keyCode, 'A');
    EXPECT_FALSE(events[0].systemKey);
    EXPECT_EQ(events[1].type, EventType::KeyUp);
    EXPECT_EQ(events[2].type, EventType::ButtonDown);
    EXPECT_EQ(events[2].button, MouseButton::Right);
    EXPECT_EQ(events[3].type, EventType::MouseMove);
    EXPECT_EQ(events[3].x, 40);
    EXPECT_EQ(events[3].y, 30);
}

TEST_F(SaverWindow, SystemCommandsAndSystemKeysAreSwallowedAndCloseQuits) {
    PostMessageA(window, WM_SYSKEYDOWN, VK_F10, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    PostMessageA(window, WM_SYSCOMMAND, SC_SCREENSAVE, 0);
    EXPECT_TRUE(drain().empty());
    EXPECT_TRUE(IsWindow(window));
    PostMessageA(window, WM_CLOSE, 0, 0);
    std::vector<InputEvent> events = drain();
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].type, EventType::Quit);
}

// Messages sent to a window procedure of this thread, as a WH_CALLWNDPROC hook sees them.
std::vector<UINT>& sentMessages() {
    static std::vector<UINT> messages;
    return messages;
}

LRESULT CALLBACK recordSent(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION) sentMessages().push_back(reinterpret_cast<CWPSTRUCT*>(lParam)->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SaverWindow, TheLoadingTickIsSentAsWmUserPlusTwoAndDrawsWithTheContextCurrent) {
    sentMessages().clear();
    HHOOK hook = SetWindowsHookExA(WH_CALLWNDPROC, recordSent, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    int frames = 0;
    bool current = false;
    platform->deliverLoadingTick([&] {
        ++frames;
        current = wglGetCurrentContext() != nullptr;
    });
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(frames, 1);
    EXPECT_TRUE(current);
    EXPECT_EQ(std::count(sentMessages().begin(), sentMessages().end(), WM_USER + 2), 1);
}

}  // namespace
}  // namespace tarnel::platform
