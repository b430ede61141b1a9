// Start-up in the fixed order: options, switch line, settings, monitors, desktop mode,
// working directory, dispatch.
#include "host/startup.h"

#include "assets/archive.h"
#include "assets/findings.h"
#include "assets/load_timing.h"
#include "camera/camera_csv.h"
#include "host/bench_record.h"
#include "host/command_line.h"
#include "host/mode_hooks.h"
#include "host/loaded_scene.h"
#include "host/saver_run.h"
#include "host/scene_hooks.h"
#include "host/setting_flags.h"
#include "host/settings.h"
#include "host/stop_signal.h"
#include "host/user_settings.h"
#include "platform/message_box.h"
#include "platform/platform.h"
#include "platform/system.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace tarnel {

namespace {

constexpr int kHeadlessWidth = 1024;
constexpr int kHeadlessHeight = 768;

std::unique_ptr<platform::Platform> openPlatform(const RunOptions& options, std::string& error) {
    if (options.headless)
        return platform::createHeadlessPlatform(options.width.value_or(kHeadlessWidth),
                                                options.height.value_or(kHeadlessHeight), &error);
    return platform::createDesktopPlatform(&error);
}

// Files named on the command line are made absolute before the working directory moves,
// so a relative name still means the folder the user typed it in.
std::string absolutePath(const std::string& path) {
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

// The password comes from the command line, else the environment, else the settings file,
// which is where a saver started by a screensaver host (no terminal) finds it.
void setPackageSource(const RunOptions& options, const Settings& settings) {
#ifdef TARNEL_HAVE_ARCHIVE_READER
    PackageSource& source = packageSource();
    if (!options.dataPath.empty()) source.path = absolutePath(options.dataPath);
    if (options.password) {
        source.password = *options.password;
    } else if (const char* password = std::getenv("TARNEL_PASSWORD")) {
        source.password = password;
    } else {
        source.password = settings.Password;
    }
#else
    (void)options;
    (void)settings;
#endif
}

// Boxes are for a person at a window of ours: none inside another program's window (the
// screensaver daemon's, where a box would sit behind the lock or block the daemon) or
// offscreen, and none once a stop signal ends a saver run. Empty: every box the modes show.
platform::MessageBoxCondition messageBoxCondition(bool hosted, bool offscreen, bool saverMode) {
    if (hosted || offscreen) return [] { return false; };
    if (saverMode) return [] { return !stopRequested(); };
    return {};
}

// A package that cannot be read is named once, where it was looked for, rather than at every
// member the loaders ask it for.
void namePackageProblem() {
    const std::string& path = packageSource().path;
    std::string problem = packageProblem(path);
    if (!problem.empty())
        std::fprintf(stderr, "tarnel: cannot open data package %s: %s\n", absolutePath(path).c_str(), problem.c_str());
}

void applyDesktopMode(platform::Platform& platform, Settings& settings) {
    if (!settings.UseDesktop) return;
    std::optional<platform::DisplayMode> desktop = platform.desktopMode();
    if (!desktop) return;
    settings.Width = static_cast<std::uint32_t>(desktop->width);
    settings.Height = static_cast<std::uint32_t>(desktop->height);
    settings.Depth = static_cast<std::uint32_t>(desktop->bitsPerPixel);
}

// Loads the package into an offscreen context, as a saver run would, and prints it.
bool dumpScene(platform::Platform& platform) {
    if (platform.openMainWindow(platform::Rect{0, 0, kHeadlessWidth, kHeadlessHeight}) == platform::kNoWindow) {
        std::fprintf(stderr, "tarnel: no offscreen context for the scene dump\n");
        return false;
    }
    loadScene();
    writeSceneDump(loadedScene(), std::cout);
    clearSceneLists();
    platform.closeWindows();
    return true;
}

}  // namespace

int runTarnel(const std::vector<std::string>& args, const std::string* systemLine) {
    ClockReading started = BenchRecord::now();
    const char* xscreensaverWindow = std::getenv("XSCREENSAVER_WINDOW");
    OptionParse parse = parseRunOptions(args, xscreensaverWindow);
    if (!parse.error.empty()) {
        std::fprintf(stderr, "tarnel: %s\n%s%s", parse.error.c_str(), usageText(), settingFlagsUsage());
        return 2;
    }
    // TARNEL_VERBOSE=1 stands for --verbose where the host starts us without our options.
    if (const char* verbose = std::getenv("TARNEL_VERBOSE"); verbose && std::strcmp(verbose, "1") == 0)
        parse.options.verbose = true;
    const RunOptions& options = parse.options;
    // A quiet saver drops the readers' findings; a verbose one prints them as it loads.
    if (options.verbose)
        setFindingHandler([](const Finding& finding) { std::fprintf(stderr, "tarnel: %s\n", formatFinding(finding).c_str()); });
    if (options.help) {
        std::fputs(usageText(), stdout);
        std::fputs(settingFlagsUsage(), stdout);
        return 0;
    }
    if (options.dumpCamera) {
        // The flight needs neither a display nor the package: only the seed and the speed.
        Settings flight = loadUserSettings(defaultSettings(std::nullopt, ""));
        double speedScale = static_cast<double>(flight.Speed) / 50.0 + 0.5;
        return writeCameraCsv(std::cout, options.seed.value_or(1), options.seconds, options.fps, speedScale) ? 0 : 1;
    }
    if (options.bench) {
        BenchRecord& bench = benchRecord();
        bench.begin(*options.frames);
        bench.startWall = started.wall;
        loadTiming().start();
    }
    SaverApp app;
    bool onlySwitches = systemLine && parse.remaining.size() == args.size();
    ParsedCommandLine line = parseCommandLine(onlySwitches ? *systemLine : buildCommandLine(parse.remaining));
    app.mode = line.mode;
    app.parentWindow = line.parentWindow;
    if (!line.switchFound && options.impliesSaver()) app.mode = Saver;
    // From here on a stop signal ends a saver through its end steps; other modes keep the
    // default handling.
    const bool saverMode = (app.mode == Saver || app.mode == Test) && !options.dumpScene;
    if (saverMode) installStopSignalHandlers();

    std::string error;
    RunOptions platformOptions = options;
    platformOptions.headless = options.headless || options.dumpScene;  // a dump opens no window
    std::unique_ptr<platform::Platform> platform = openPlatform(platformOptions, error);
    if (!platform) {
        std::fprintf(stderr, "tarnel: no display (%s); try --headless\n", error.c_str());
        return 1;
    }
    const bool hosted = options.root || options.windowId || (xscreensaverWindow && xscreensaverWindow[0]);
    platform::setMessageBoxCondition(messageBoxCondition(hosted, platformOptions.headless, saverMode));
    // Without a host's window, --root draws on the X root window itself.
    RunOptions runOptions = options;
    if (!runOptions.renderPath.empty()) runOptions.renderPath = absolutePath(runOptions.renderPath);
    if (runOptions.root && !runOptions.windowId) runOptions.windowId = platform->rootWindowId();

    Settings& current = settings();
    current = loadUserSettings(defaultSettings(platform->desktopMode(), platform::installedDataFolder()));
    // The dialog edits and saves the file's values, so flags meant for one run stay out of it.
    if (app.mode != Configure) current = applySettingOverrides(current, options.settingOverrides);
    app.monitorCount = enumerateMonitors(platform->displayDevices(), app.monitors);
    applyDesktopMode(*platform, current);
    setPackageSource(options, current);
    if (!platform::setWorkingDirectory(current.Path) && options.verbose)
        std::fprintf(stderr, "tarnel: cannot enter the data folder \"%s\"\n", current.Path.c_str());

    if (saverMode || options.dumpScene) namePackageProblem();
    if (options.dumpScene) return dumpScene(*platform) ? 0 : 1;

    switch (app.mode) {
    case Saver:
    case Test:
    {
        SaverRunResult result = runSaver(app, *platform, current, runOptions);
        if (options.verbose)
            std::fprintf(stderr, "tarnel: drew %ld frames in %.3f s (%.2f fps)\n", result.frames, result.loopSeconds,
                         result.loopSeconds > 0.0 ? static_cast<double>(result.frames) / result.loopSeconds : 0.0);
        if (options.bench) writeBenchReport(benchRecord(), options.json, std::cout);
        break;
    }
    case Preview:
        runPreview(app, *platform);
        break;
    default:
        runConfigure(app, *platform);
        break;
    }
    return 0;
}

}  // namespace tarnel
