// Options of our own beside the screensaver switches: running inside a screensaver host's
// window, test and operations options. They are taken out of argv before the switch line
// is parsed, so no screensaver command line changes meaning.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tarnel {

struct RunOptions {
    bool root = false;                          // --root
    std::optional<std::uint64_t> windowId;      // --window-id, or XSCREENSAVER_WINDOW with --root
    std::optional<long> frames;                 // --frames N: end after N frames
    std::string renderPath;                     // --render FILE.png: write the last frame
    std::optional<std::uint32_t> seed;          // --seed N instead of the counter
    std::optional<int> width;                   // --size WxH
    std::optional<int> height;
    bool headless = false;                      // --headless
    bool help = false;                          // --help
    bool version = false;                       // --version
    std::string dataPath;                       // --data FILE
    std::optional<std::string> password;        // --password PW, else TARNEL_PASSWORD
    bool verbose = false;                       // --verbose
    bool dumpScene = false;                     // --dump-scene: print the loaded scene as JSON
    std::string settingOverrides;               // --speed, --no-music, ...: settings-file lines
    bool dumpCamera = false;                    // --dump-camera: print the flight as CSV
    double seconds = 10.0;                      // --seconds S of the camera dump
    double fps = 30.0;                          // --fps F of the camera dump
    bool bench = false;                         // --bench: timed offscreen run, figures on stdout
    bool json = false;                          // --json: bench figures as JSON

    // Any option that only means something to a saver run.
    bool impliesSaver() const;
};

struct OptionParse {
    RunOptions options;
    std::vector<std::string> remaining;   // argv[0] and everything not ours, in order
    std::string error;                    // empty when every option was well formed
};

// xscreensaverWindow: the XSCREENSAVER_WINDOW variable, or null when unset.
OptionParse parseRunOptions(const std::vector<std::string>& args, const char* xscreensaverWindow);

// Hexadecimal with 0x, or decimal; nothing when malformed or zero.
std::optional<std::uint64_t> parseWindowId(const std::string& text);

const char* usageText();

}  // namespace tarnel
