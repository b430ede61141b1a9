#include "host/saver_run.h"

#include "assets/loading_tick.h"
#include "gfx/gamma.h"
#include "host/stop_signal.h"
#include "platform/headless_platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <fstream>
#include <string>
#include <vector>

namespace tarnel {
namespace {

constexpr int kWidth = 64;
constexpr int kHeight = 48;

// The offscreen backend with a record of the calls that a run makes.
class RecordingPlatform : public platform::HeadlessPlatform {
public:
    RecordingPlatform() : HeadlessPlatform(kWidth, kHeight) {}

    std::vector<platform::DisplayDevice> displayDevices() override {
        return devices.empty() ? HeadlessPlatform::displayDevices() : devices;
    }
    std::vector<platform::DisplayMode> primaryDisplayModes() override { return modes; }
    bool displayLost() override { return swapCount >= swapsBeforeLoss; }
    platform::WindowHandle openMainWindow(const platform::Rect& rect) override {
        calls.push_back("main window");
        mainRect = rect;
        return failMainWindow ? platform::kNoWindow : HeadlessPlatform::openMainWindow(rect);
    }
    platform::WindowHandle openBlackWindow(const platform::Rect& rect) override {
        blackRects.push_back(rect);
        return HeadlessPlatform::openBlackWindow(rect);
    }
    void enterFullScreenMode(const platform::DisplayMode& mode) override {
        calls.push_back("mode " + std::to_string(mode.width) + "x" + std::to_string(mode.height));
        HeadlessPlatform::enterFullScreenMode(mode);
    }
    void leaveFullScreenMode() override {
        calls.push_back("desktop mode");
        HeadlessPlatform::leaveFullScreenMode();
    }
    void showCursor(bool visible) override {
        calls.push_back(visible ? "show cursor" : "hide cursor");
        HeadlessPlatform::showCursor(visible);
    }
    bool setGammaRamp(const platform::GammaRamp& ramp) override {
        rampsWritten.push_back(ramp);
        return HeadlessPlatform::setGammaRamp(ramp);
    }
    bool openAudio(int hz) override {
        calls.push_back("open audio " + std::to_string(hz));
        return true;
    }
    void setMusicVolume(int percent) override { calls.push_back("volume " + std::to_string(percent)); }
    bool playMusicLooped(const std::vector<std::uint8_t>&) override {
        calls.push_back("play");
        return false;
    }
    // The loading screen swaps as often as its timer ticks, more on a slow machine: only the
    // flight's swaps count towards a stop.
    void deliverLoadingTick(const std::function<void()>& drawFrame) override {
        loadingTick = true;
        HeadlessPlatform::deliverLoadingTick(drawFrame);
        loadingTick = false;
    }
    void swapBuffers() override {
        HeadlessPlatform::swapBuffers();
        if (!loadingTick && ++flightSwaps == stopAfterSwap) setStopRequested(true);
    }
    void stopMusic() override { calls.push_back("stop music"); }
    void closeAudio() override { calls.push_back("close audio"); }

    std::vector<platform::DisplayDevice> devices;
    std::vector<platform::DisplayMode> modes{{800, 600, 32, 60}, {kWidth, kHeight, 32, 60}};
    int swapsBeforeLoss = 1 << 30;  // the window or display goes once this many swaps were made
    bool failMainWindow = false;
    int stopAfterSwap = -1;  // a stop signal arrives right after this many swaps of the flight
    int flightSwaps = 0;
    bool loadingTick = false;
    platform::Rect mainRect;
    std::vector<platform::Rect> blackRects;
    std::vector<platform::GammaRamp> rampsWritten;
    std::vector<std::string> calls;
};

class SaverRun : public ::testing::Test {
protected:
    void SetUp() override {
        setStopRequested(false);
        config.EnableMusic = false;
        config.Width = 800;
        config.Height = 600;
        options.headless = true;
        for (auto& entry : userRamp) entry = 1234;
        platform.gamma = userRamp;
    }
    void TearDown() override { setStopRequested(false); }

    SaverRunResult run() {
        app.monitorCount = enumerateMonitors(platform.displayDevices(), app.monitors);
        return runSaver(app, platform, config, options);
    }
    platform::InputEvent keyDown(bool system) {
        platform::InputEvent e;
        e.type = platform::EventType::KeyDown;
        e.keyCode = 4;
        e.systemKey = system;
        return e;
    }

    RecordingPlatform platform;
    SaverApp app;
    Settings config;
    RunOptions options;
    platform::GammaRamp userRamp{};
};

TEST_F(SaverRun, DrawsTheAskedFramesAndPutsEverythingBack) {
    options.frames = 3;
    SaverRunResult result = run();
    EXPECT_TRUE(result.ran);
    EXPECT_EQ(result.frames, 3);
    EXPECT_GE(platform.swapCount, 3);
    EXPECT_TRUE(platform.cursorVisible);
    EXPECT_GE(platform.warpCount, 1);
    EXPECT_EQ(platform.cursorX, kWidth / 2);
    EXPECT_EQ(platform.cursorY, kHeight / 2);
    EXPECT_EQ(platform.mainWindowRect().width(), 0) << "windows closed";
    EXPECT_EQ(platform.audioCalls, 0) << "no audio call at all with EnableMusic off";
    EXPECT_EQ(app.monitors[0].window, platform::kNoWindow);
}

TEST_F(SaverRun, WritesTheGammaRampAndGivesTheUsersRampBack) {
    config.DefGamma = false;
    config.Gamma = 100;
    options.frames = 1;
    run();
    ASSERT_EQ(platform.rampsWritten.size(), 2u);
    EXPECT_EQ(platform.rampsWritten[0], gfx::buildGammaRamp(0.5, 0.5, 0.5));
    EXPECT_EQ(platform.rampsWritten[1], userRamp);
    EXPECT_EQ(platform.gamma, userRamp);
}

TEST_F(SaverRun, WritesTheIdentityRampWhenTheUsersCouldNotBeRead) {
    config.DefGamma = false;
    config.Gamma = 0;
    options.frames = 1;
    platform.gammaReadable = false;
    run();
    ASSERT_EQ(platform.rampsWritten.size(), 2u);
    EXPECT_EQ(platform.rampsWritten[1], gfx::buildGammaRamp(1.0, 1.0, 1.0));
}

TEST_F(SaverRun, LeavesTheGammaAloneWithDefGamma) {
    config.DefGamma = true;
    options.frames = 2;
    run();
    EXPECT_TRUE(platform.rampsWritten.empty());
    EXPECT_EQ(platform.gamma, userRamp);
}

TEST_F(SaverRun, CallsTheMusicInOrderAndStopsItAtTheEnd) {
    config.EnableMusic = true;
    config.Volume = 35;
    options.frames = 1;
    run();
    std::vector<std::string> music;
    for (const std::string& call : platform.calls)
        if (call.find("audio") != std::string::npos || call.find("music") != std::string::npos ||
            call.rfind("volume", 0) == 0 || call == "play")
            music.push_back(call);
    EXPECT_EQ(music, (std::vector<std::string>{"open audio 44100", "volume 35", "play", "stop music", "close audio"}));
}

TEST_F(SaverRun, AKeyEndsTheRunAfterTheFrameItArrivedIn) {
    platform.queueEvent(keyDown(false));
    EXPECT_EQ(run().frames, 1);
}

TEST_F(SaverRun, ASystemKeyOrMiddleClickDoesNotEndTheRun) {
    platform.queueEvent(keyDown(true));
    platform::InputEvent middle;
    middle.type = platform::EventType::ButtonDown;
    middle.button = platform::MouseButton::Middle;
    platform.queueEvent(middle);
    options.frames = 4;
    EXPECT_EQ(run().frames, 4);
}

TEST_F(SaverRun, MouseTravelEndsTheRunOnlyWithMouseExit) {
    platform::InputEvent move;
    move.type = platform::EventType::MouseMove;
    move.x = kWidth / 2 - 30;
    move.y = kHeight / 2;
    options.frames = 4;
    platform.queueEvent(move);
    EXPECT_EQ(run().frames, 4);
    EXPECT_GE(platform.warpCount, 2) << "pulled back to the centre";

    config.MouseExit = true;
    platform.queueEvent(move);
    EXPECT_EQ(run().frames, 1);
}

TEST_F(SaverRun, AStopSignalEndsTheLoopAndRunsTheEndSteps) {
    config.DefGamma = false;
    config.Gamma = 80;
    setStopRequested(true);  // as if it came while the package loaded: no frame is drawn
    EXPECT_EQ(run().frames, 0);
    EXPECT_EQ(platform.gamma, userRamp);
    EXPECT_TRUE(platform.cursorVisible);
}

TEST_F(SaverRun, AStopSignalBetweenFramesEndsTheRunWithoutAnotherFrameAndRendersTheLastOne) {
    std::string path = (std::filesystem::temp_directory_path() / "tarnel-saver-stop-test.png").string();
    std::filesystem::remove(path);
    options.renderPath = path;
    platform.stopAfterSwap = 2;
    SaverRunResult result = run();
    EXPECT_EQ(result.frames, 2);
    EXPECT_EQ(platform.flightSwaps, 2) << "the frame the stop came before is neither drawn nor shown";
    EXPECT_TRUE(result.renderWritten);
    EXPECT_TRUE(std::filesystem::exists(path));
    std::filesystem::remove(path);

    // Before any whole frame there is nothing to write.
    platform.stopAfterSwap = -1;
    setStopRequested(true);
    EXPECT_FALSE(run().renderWritten);
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(SaverRun, AFailedWindowStillRestoresModeAndCursor) {
    options.headless = false;
    platform.failMainWindow = true;
    SaverRunResult result = run();
    EXPECT_FALSE(result.ran);
    EXPECT_TRUE(platform.cursorVisible);
    EXPECT_FALSE(platform.fullScreen);
    EXPECT_EQ(platform.calls, (std::vector<std::string>{"mode 800x600", "hide cursor", "main window", "desktop mode",
                                                        "show cursor"}));
}

TEST_F(SaverRun, OpensTheMainWindowAtTheOriginAndBlackWindowsOverTheOthers) {
    options.headless = false;
    options.frames = 1;
    platform::DisplayDevice d;
    d.attachedToDesktop = true;
    d.primary = true;
    d.rect = {0, 0, 1280, 1024};
    platform.devices.push_back(d);
    d.primary = false;
    d.rect = {1280, 0, 2304, 768};
    platform.devices.push_back(d);
    d.attachedToDesktop = false;
    platform.devices.push_back(d);
    d.attachedToDesktop = true;
    d.rect = {-1024, 0, 0, 768};
    platform.devices.push_back(d);
    run();
    EXPECT_EQ(platform.mainRect.left, 0);
    EXPECT_EQ(platform.mainRect.right, 800);
    EXPECT_EQ(platform.mainRect.bottom, 600);
    ASSERT_EQ(platform.blackRects.size(), 2u);
    EXPECT_EQ(platform.blackRects[0].left, 1280);
    EXPECT_EQ(platform.blackRects[0].right, 2304);
    EXPECT_EQ(platform.blackRects[1].left, -1024);
    EXPECT_EQ(platform.calls.front(), "mode 800x600");
    EXPECT_EQ(platform.calls.back(), "show cursor");
    EXPECT_EQ(platform.calls[platform.calls.size() - 2], "desktop mode");
}

TEST_F(SaverRun, AModeTheDisplayLacksGivesWayToTheDesktopMode) {
    options.headless = false;
    options.frames = 1;
    platform.modes = {{1024, 768, 32, 60}, {kWidth, kHeight, 32, 60}};
    run();
    EXPECT_EQ(platform.calls.front(), "mode 64x48");
    EXPECT_EQ(platform.mainRect.right, kWidth) << "the main window covers the monitor";
    EXPECT_EQ(platform.mainRect.bottom, kHeight);
}

TEST_F(SaverRun, ADisplayLostWhileLoadingEndsTheRunThroughItsEndSteps) {
    options.headless = false;
    config.DefGamma = false;
    config.Gamma = 80;
    platform.swapsBeforeLoss = 0;
    options.frames = 3;
    SaverRunResult result = run();
    EXPECT_TRUE(result.ran);
    EXPECT_EQ(result.frames, 0);
    EXPECT_EQ(platform.gamma, userRamp);
    EXPECT_FALSE(platform.fullScreen);
    EXPECT_TRUE(platform.cursorVisible);
}

TEST_F(SaverRun, InsideAHostWindowLeavesModeCursorAndMouseAlone) {
    options.headless = false;
    options.windowId = 0x200C9C;
    options.frames = 3;
    config.MouseExit = true;
    platform::InputEvent move;
    move.type = platform::EventType::MouseMove;
    move.x = 500;
    platform.queueEvent(move);
    EXPECT_EQ(run().frames, 3);
    EXPECT_EQ(platform.warpCount, 0);
    EXPECT_EQ(platform.calls, std::vector<std::string>{"main window"});
}

TEST_F(SaverRun, InsideAHostWindowVSyncKeepsToTheRefreshRate) {
    options.windowId = 7;
    options.frames = 7;
    config.VSync = true;
    auto start = std::chrono::steady_clock::now();
    run();
    // Six frame periods of 1/60 s at least lie between the first frame and the seventh.
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(99));
}

TEST_F(SaverRun, RendersTheLastFrameToAPng) {
    std::string path = (std::filesystem::temp_directory_path() / "tarnel-saver-run-test.png").string();
    std::filesystem::remove(path);
    options.frames = 2;
    options.renderPath = path;
    EXPECT_TRUE(run().renderWritten);
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> head(24);
    in.read(reinterpret_cast<char*>(head.data()), 24);
    ASSERT_TRUE(in);
    EXPECT_EQ(head[1], 'P');
    EXPECT_EQ((head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19], kWidth);
    EXPECT_EQ((head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23], kHeight);
    in.close();  // Windows removes no file that is still open
    std::filesystem::remove(path);
}

TEST_F(SaverRun, LoadingTicksAreAnsweredOnlyDuringTheRun) {
    options.frames = 1;
    run();
    int swaps = platform.swapCount;
    sendLoadingTick();
    EXPECT_EQ(platform.swapCount, swaps);
}

}  // namespace
}  // namespace tarnel
