// The saver run in its fixed order: start steps, the loop, end steps. What the run changed
// on the machine is recorded, so every way out puts exactly that back.
#include "host/saver_run.h"

#include "assets/loading_tick.h"
#include "camera/random.h"
#include "gfx/gamma.h"
#include "gfx/gl_state.h"
#include "host/bench_record.h"
#include "host/full_screen_mode.h"
#include "host/input_state.h"
#include "host/png_writer.h"
#include "host/scene_hooks.h"
#include "host/stop_signal.h"
#include "host/timers.h"
#include "platform/system.h"
#include "scene/view_cull.h"

#include <GL/gl.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <thread>

namespace tarnel {

namespace {

constexpr int kMusicFrequencyHz = 44100;
constexpr double kBenchStepSeconds = 1.0 / 30.0;

// The run's own state, and everything it changed on the machine, so that the end steps
// undo exactly that.
class RunState {
public:
    platform::Platform& platform;
    bool foreign = false;             // drawing inside another program's window
    bool windowed = false;            // no full-screen mode: a host window, --size or offscreen
    platform::Rect window;            // the main window, screen pixels
    int width = 0;                    // the main window's size in full screen, pixels
    int height = 0;
    int centreX = 0;                  // where the cursor is held, screen pixels
    int centreY = 0;
    InputState input;
    bool modeSwitched = false;
    bool cursorHidden = false;
    bool gammaSaved = false;
    platform::GammaRamp userGamma{};
    bool musicOn = false;
    std::vector<std::uint8_t> music;  // stays alive until the audio device is closed
    // With --render: the last frame drawn whole, RGBA, bottom row first. A stop signal
    // abandons the frame it comes in, so the frame before it is the one written.
    std::vector<std::uint8_t> lastWholeFrame;

    explicit RunState(platform::Platform& p) : platform(p) {}
};

void restoreModeAndCursor(RunState& run) {
    if (run.modeSwitched) run.platform.leaveFullScreenMode();
    run.modeSwitched = false;
    if (run.cursorHidden) run.platform.showCursor(true);
    run.cursorHidden = false;
}

bool openWindows(SaverApp& app, RunState& run, const RunOptions& options) {
    platform::Platform& platform = run.platform;
    if (options.windowId) return platform.openForeignWindow(*options.windowId) != platform::kNoWindow;
    bool mainOpen = false;
    for (std::uint32_t i = 0; i < app.monitorCount; ++i) {
        MonitorInfo& monitor = app.monitors[i];
        if (monitor.monitor == 0) continue;
        if (!mainOpen) {
            int width = options.width ? *options.width : run.width;
            int height = options.height ? *options.height : run.height;
            monitor.window = platform.openMainWindow(platform::Rect{0, 0, width, height});
            mainOpen = true;
        } else if (!options.width) {
            monitor.window = platform.openBlackWindow(monitor.rect);
        } else {
            continue;  // a sized window covers no monitor, so the others stay visible
        }
        if (monitor.window == platform::kNoWindow) return false;
    }
    return mainOpen;
}

void startMusic(RunState& run, const Settings& settings) {
    run.musicOn = true;
    run.platform.openAudio(kMusicFrequencyHz);
    run.platform.setMusicVolume(static_cast<int>(settings.Volume));
    run.music = readMusicMember();
    run.platform.playMusicLooped(run.music);
}

void endRun(SaverApp& app, RunState& run, const Settings& settings) {
    platform::Platform& platform = run.platform;
    if (run.musicOn) {
        platform.stopMusic();
        platform.closeAudio();
    }
    // The ramp in force before the run goes back; identity only when it could not be read.
    if (!settings.DefGamma) {
        if (run.gammaSaved)
            platform.setGammaRamp(run.userGamma);
        else
            gfx::setGammaRamp(platform, 1.0, 1.0, 1.0);
    }
    clearSceneLists();
    setLoadingTickHandler(nullptr);
    if (run.modeSwitched) platform.leaveFullScreenMode();
    run.modeSwitched = false;
    platform.destroyGlContext();
    restoreModeAndCursor(run);
    platform.closeWindows();
    for (std::uint32_t i = 0; i < app.monitorCount; ++i) app.monitors[i].window = platform::kNoWindow;
    run.music.clear();
    run.music.shrink_to_fit();
}

// Read back before the swap, into the same storage every frame.
void keepWholeFrame(RunState& run) {
    const platform::Rect& window = run.window;
    run.lastWholeFrame.resize(static_cast<std::size_t>(window.width()) * window.height() * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, window.width(), window.height(), GL_RGBA, GL_UNSIGNED_BYTE, run.lastWholeFrame.data());
}

// Without a whole frame nothing is written, and the run's status says so.
void writeRender(const std::string& path, const RunState& run, SaverRunResult& result) {
    if (run.lastWholeFrame.empty()) return;
    result.renderWritten = writePngFile(path, run.lastWholeFrame, run.window.width(), run.window.height(), true,
                                        &result.renderError);
}

// Start steps after the windows: GL state and gamma, the scene load with its loading
// screen, music, timers and the seed, the cursor at the centre, the camera.
void startRun(RunState& run, const Settings& settings, const RunOptions& options) {
    platform::Platform& platform = run.platform;
    Timers& clock = timers();
    std::uint64_t frequency = platform::counterFrequency();
    loadLoadingScreen();
    platform.showWindows();
    setViewCulling(false);

    platform::Rect window = platform.mainWindowRect();
    gfx::GlStartSettings gl;
    gl.width = run.windowed ? window.width() : run.width;
    gl.height = run.windowed ? window.height() : run.height;
    gl.vsync = settings.VSync;
    gl.defGamma = settings.DefGamma;
    gl.gamma = settings.Gamma;
    if (!settings.DefGamma) run.gammaSaved = platform.gammaRamp(run.userGamma);
    gfx::setupGlState(platform, gl);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);

    BenchRecord& bench = benchRecord();
    bool loadingShownReported = !options.verbose;
    setLoadingTickHandler([&platform, &bench, &loadingShownReported] {
        if (stopRequested() || platform.displayLost()) {
            stopLoading();
            return;
        }
        platform.deliverLoadingTick([&platform] {
            drawLoadingFrame();
            glFinish();
            platform.swapBuffers();
        });
        if (bench.enabled && bench.firstLoadingFrame < 0.0)
            bench.firstLoadingFrame = bench.sinceStart(BenchRecord::now().wall);
        if (!loadingShownReported) {
            // Wall-clock time, so a script that noted the time before starting us can tell how
            // long the loading screen took to appear, program loading included.
            double epoch = std::chrono::duration<double>(std::chrono::system_clock::now().time_since_epoch()).count();
            std::fprintf(stderr, "tarnel: loading screen shown at %.6f s after the epoch\n", epoch);
            loadingShownReported = true;
        }
    });
    loadScene();
    if (bench.enabled) bench.loadEnd = bench.sinceStart(BenchRecord::now().wall);
    if (settings.EnableMusic) startMusic(run, settings);

    clock.frame.start(frequency, platform::counterNow());
    std::uint64_t seed = options.seed ? *options.seed : platform::counterNow();
    seedRandom(static_cast<std::uint32_t>(seed & 0xFFFFFFFFu));
    clock.period.start(platform::counterNow());
    clock.speedScale = speedScaleFor(settings.Speed);

    run.window = platform.mainWindowRect();
    bench.width = run.window.width();
    bench.height = run.window.height();
    run.centreX = run.window.left + run.window.width() / 2;
    run.centreY = run.window.top + run.window.height() / 2;
    if (!run.foreign) platform.warpCursor(run.centreX, run.centreY);
    startCamera();
    // Input before this point was taken while loading; tests wait for this line to send theirs.
    if (options.verbose) std::fprintf(stderr, "tarnel: loaded, the flight starts\n");
}

// The frame's parts into the bench record; the samples were reserved, so nothing allocates
// unless the run goes past the frames it was reserved for.
void recordFrame(BenchRecord& bench, const ClockReading& begin, const ClockReading& updated,
                 const ClockReading& rendered) {
    ClockReading swapped = BenchRecord::now();
    if (bench.firstSceneFrame < 0.0) bench.firstSceneFrame = bench.sinceStart(swapped.wall);
    if (!bench.frames.empty()) bench.frames.back().frame = begin.wall - bench.lastFrameStart;
    FrameSample sample;
    sample.update = PartTime{updated.wall - begin.wall, updated.cpu - begin.cpu};
    sample.render = PartTime{rendered.wall - updated.wall, rendered.cpu - updated.cpu};
    sample.swap = PartTime{swapped.wall - rendered.wall, swapped.cpu - rendered.cpu};
    sample.frame = swapped.wall - begin.wall;  // the last frame keeps its own span
    bench.frames.push_back(sample);
    bench.lastFrameStart = begin.wall;
}

// One frame: exit tests, time step, camera, update pass, render, swap. Returns whether the
// loop goes on; the frame that a key, a click or the frame count ends is still drawn and
// shown. A stop signal does not wait for a frame: the one it comes in is dropped unshown,
// so the screen and --render keep the last whole picture.
bool runFrame(RunState& run, const Settings& settings, const RunOptions& options, SaverRunResult& result) {
    platform::Platform& platform = run.platform;
    Timers& clock = timers();
    InputState& input = run.input;
    if (stopRequested()) return false;
    // Mouse travel is only measured against the saver's own centred cursor.
    bool mouseExit = settings.MouseExit && !run.foreign;
    bool running = !input.shouldStop(false);
    if (input.consumeMouse() && !run.foreign) platform.warpCursor(run.centreX, run.centreY);
    if (input.shouldStop(mouseExit)) running = false;

    BenchRecord& bench = benchRecord();
    ClockReading begin, updated, rendered;
    if (bench.enabled) begin = BenchRecord::now();
    double dt = clock.frame.next(platform::counterNow());
    if (options.verbose && clock.frame.measured > dt)
        std::fprintf(stderr, "tarnel: a frame took %.3f s; the scene advanced %.3f s\n", clock.frame.measured, dt);
    // A benchmark flies the same path on every run, a fixed step per frame, so that two runs
    // differ only in how fast they draw it.
    if (bench.enabled) dt = kBenchStepSeconds;
    stepCamera(clock.speedScale * dt);
    updateScene(dt);
    if (bench.enabled) updated = BenchRecord::now();
    if (!renderScene(static_cast<float>(dt), input)) return false;
    if (bench.enabled) rendered = BenchRecord::now();
    // The first frame drew every list, which compiled the renderer's shaders for them.
    if (result.frames == 0) setViewCulling(true);

    ++result.frames;
    if (options.frames && result.frames >= *options.frames) running = false;
    if (!options.renderPath.empty()) keepWholeFrame(run);
    platform.swapBuffers();
    if (bench.enabled) recordFrame(bench, begin, updated, rendered);
    return running;
}

void runLoop(RunState& run, const Settings& settings, const RunOptions& options, SaverRunResult& result) {
    platform::Platform& platform = run.platform;
    // A foreign window cannot take a swap interval; with VSync on the loop keeps to the
    // display's refresh rate itself instead of drawing thousands of frames a second.
    bool pace = run.foreign && settings.VSync;
    auto framePeriod = std::chrono::nanoseconds(1000000000LL / std::max(1, platform.refreshRate()));
    auto nextFrame = std::chrono::steady_clock::now();
    bool running = true;
    auto loopStart = std::chrono::steady_clock::now();
    BenchRecord& bench = benchRecord();
    double cpuBefore = bench.enabled ? platform::processCpuSeconds() : 0.0;
    // Under --verbose the frames shown are counted per second, so that a frame rate can be
    // taken after a warm-up, as for any program whose buffer swaps are counted.
    auto periodStart = loopStart;
    long periodFrames = 0;
    while (running) {
        platform::InputEvent event;
        if (platform.pollEvent(event)) {
            if (!run.foreign || event.type == platform::EventType::Quit)
                run.input.handleEvent(event, run.centreX, run.centreY);
            if (run.input.quit) running = false;
            continue;
        }
        running = runFrame(run, settings, options, result);
        if (options.verbose) {
            ++periodFrames;
            const double period = std::chrono::duration<double>(std::chrono::steady_clock::now() - periodStart).count();
            if (period >= 1.0) {
                std::fprintf(stderr, "tarnel: swaps %ld in %.3f s\n", periodFrames, period);
                periodStart = std::chrono::steady_clock::now();
                periodFrames = 0;
            }
        }
        if (pace && running) {
            nextFrame += framePeriod;
            auto now = std::chrono::steady_clock::now();
            if (nextFrame < now) nextFrame = now;
            std::this_thread::sleep_until(nextFrame);
        }
    }
    result.loopSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - loopStart).count();
    if (bench.enabled) bench.loopProcessCpu = platform::processCpuSeconds() - cpuBefore;
}

}  // namespace

SaverRunResult runSaver(SaverApp& app, platform::Platform& platform, const Settings& settings,
                        const RunOptions& options) {
    SaverRunResult result;
    RunState run(platform);
    run.foreign = options.windowId.has_value();
    run.windowed = run.foreign || options.width.has_value() || options.headless;
    run.width = static_cast<int>(settings.Width);
    run.height = static_cast<int>(settings.Height);

    if (!run.windowed) {
        FullScreenChoice choice =
            chooseFullScreenMode(settings, platform.primaryDisplayModes(), platform.desktopMode());
        if (choice.desktopStandsIn && options.verbose)
            std::fprintf(stderr, "tarnel: the display has no %ux%u mode; the desktop mode %dx%d stands in\n",
                         settings.Width, settings.Height, choice.mode.width, choice.mode.height);
        run.width = choice.mode.width;
        run.height = choice.mode.height;
        platform.enterFullScreenMode(choice.mode);
        run.modeSwitched = true;
    }
    if (!run.foreign) {
        platform.showCursor(false);
        run.cursorHidden = true;
    }
    if (!openWindows(app, run, options)) {
        // Unlike a bare return, the machine gets its mode and cursor back.
        std::fprintf(stderr, "tarnel: cannot open the saver window\n");
        platform.closeWindows();
        restoreModeAndCursor(run);
        return result;
    }
    startRun(run, settings, options);
    result.ran = true;
    // A stop that came while loading ends the run before its first frame.
    if (!stopRequested() && !platform.displayLost()) runLoop(run, settings, options, result);
    if (platform.displayLost() && options.verbose)
        std::fprintf(stderr, "tarnel: the saver's window or display is gone; the run ends\n");
    if (!options.renderPath.empty()) writeRender(options.renderPath, run, result);
    endRun(app, run, settings);
    return result;
}

}  // namespace tarnel
