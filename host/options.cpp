// Our own options, taken out of argv; values are checked whole (no trailing characters).
#include "host/options.h"

#include "host/setting_flags.h"

#include <cerrno>
#include <cstdlib>

namespace tarnel {

namespace {

constexpr std::uint32_t kBenchSeed = 3;
constexpr long kBenchFrames = 300;

std::optional<unsigned long long> parseUnsigned(const std::string& text, int base) {
    if (text.empty() || text[0] == '-' || text[0] == '+' || text[0] == ' ') return std::nullopt;
    errno = 0;
    char* end = nullptr;
    unsigned long long value = std::strtoull(text.c_str(), &end, base);
    if (errno != 0 || end == text.c_str() || *end != '\0') return std::nullopt;
    return value;
}

std::optional<double> parsePositive(const std::string& text) {
    if (text.empty() || text[0] == ' ') return std::nullopt;
    errno = 0;
    char* end = nullptr;
    double value = std::strtod(text.c_str(), &end);
    if (errno != 0 || end == text.c_str() || *end != '\0' || !(value > 0.0) || value > 1e9) return std::nullopt;
    return value;
}

bool parseSize(const std::string& text, RunOptions& options) {
    std::size_t x = text.find_first_of("xX");
    if (x == std::string::npos) return false;
    auto width = parseUnsigned(text.substr(0, x), 10);
    auto height = parseUnsigned(text.substr(x + 1), 10);
    if (!width || !height || *width < 1 || *height < 1 || *width > 16384 || *height > 16384) return false;
    options.width = static_cast<int>(*width);
    options.height = static_cast<int>(*height);
    return true;
}

// Splits "--name=value" and "--name value"; false when the option takes a value and has none.
bool takeValue(const std::vector<std::string>& args, std::size_t& i, const std::string& inlineValue,
               bool hasInline, std::string& value) {
    if (hasInline) {
        value = inlineValue;
        return true;
    }
    if (i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

// The options that take no value.
using RunFlag = bool RunOptions::*;
struct BareFlag {
    const char* name;
    RunFlag field;
};

const BareFlag kBareFlags[] = {
    {"--root", &RunOptions::root},         {"--headless", &RunOptions::headless},
    {"--help", &RunOptions::help},         {"--version", &RunOptions::version},
    {"--dump-scene", &RunOptions::dumpScene}, {"--dump-camera", &RunOptions::dumpCamera},
    {"--bench", &RunOptions::bench},       {"--json", &RunOptions::json},
    {"--verbose", &RunOptions::verbose},
};

RunFlag bareFlag(const std::string& name) {
    for (const BareFlag& flag : kBareFlags)
        if (name == flag.name) return flag.field;
    return nullptr;
}

// A setting flag, or else a long option of no meaning here: such a line is refused whole
// rather than read as a switch line, which would start the saver in a full-screen mode.
template <typename Fail>
void takeLongFlag(const std::vector<std::string>& args, std::size_t& i, const std::string& name,
                  const std::string& inlineValue, bool hasInline, std::string& overrides, const Fail& fail) {
    bool needsValue = settingFlagNeedsValue(name);
    std::string value;
    if (needsValue && !takeValue(args, i, inlineValue, hasInline, value)) value.clear();
    std::string why, ignored;
    if (hasInline && !needsValue) {
        bool known = takeSettingFlag(name, value, ignored, why) == FlagMatch::Taken;
        fail(known ? name + " takes no value" : "unknown option " + name);
        return;
    }
    FlagMatch match = takeSettingFlag(name, value, overrides, why);
    if (match == FlagMatch::Malformed) fail(why);
    if (match == FlagMatch::NotOurs) fail("unknown option " + name);
}

}  // namespace

bool RunOptions::impliesSaver() const {
    return root || windowId || frames || !renderPath.empty() || seed || width || headless || bench;
}

std::optional<std::uint64_t> parseWindowId(const std::string& text) {
    std::optional<unsigned long long> value;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        value = parseUnsigned(text.substr(2), 16);
    else
        value = parseUnsigned(text, 10);
    if (!value || *value == 0) return std::nullopt;
    return static_cast<std::uint64_t>(*value);
}

OptionParse parseRunOptions(const std::vector<std::string>& args, const char* xscreensaverWindow) {
    OptionParse parse;
    RunOptions& options = parse.options;
    if (!args.empty()) parse.remaining.push_back(args[0]);
    auto fail = [&parse](const std::string& why) {
        if (parse.error.empty()) parse.error = why;
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        std::size_t equals = arg.find('=');
        bool hasInline = arg.rfind("--", 0) == 0 && equals != std::string::npos;
        std::string name = hasInline ? arg.substr(0, equals) : arg;
        // Hosts that start hacks in the X toolkit's way (xsecurelock's xscreensaver module, old
        // programs lines) spell the two host options with one dash.
        if (name == "-root" || name == "-window-id") name.insert(0, "-");
        std::string inlineValue = hasInline ? arg.substr(equals + 1) : std::string();
        std::string value;
        if (RunFlag flag = bareFlag(name)) {
            if (hasInline)
                fail(name + " takes no value");
            else
                options.*flag = true;
        } else if (name == "--seconds" ||
                   // A bare --fps (or one before another option) is the frame-rate display;
                   // with a value it is the rate of the camera dump.
                   (name == "--fps" && (hasInline || (i + 1 < args.size() && !args[i + 1].empty() &&
                                                          args[i + 1][0] != '-' && args[i + 1][0] != '/')))) {
            auto n = takeValue(args, i, inlineValue, hasInline, value) ? parsePositive(value) : std::nullopt;
            if (!n)
                fail(name + " needs a positive number");
            else
                (name == "--fps" ? options.fps : options.seconds) = *n;
        } else if (name == "--window-id") {
            if (!takeValue(args, i, inlineValue, hasInline, value) || !(options.windowId = parseWindowId(value)))
                fail("--window-id needs a window number (0x... or decimal)");
        } else if (name == "--frames") {
            auto n = takeValue(args, i, inlineValue, hasInline, value) ? parseUnsigned(value, 10) : std::nullopt;
            if (!n || *n < 1 || *n > 1000000000ull)
                fail("--frames needs a number of frames from 1 on");
            else
                options.frames = static_cast<long>(*n);
        } else if (name == "--seed") {
            auto n = takeValue(args, i, inlineValue, hasInline, value) ? parseUnsigned(value, 10) : std::nullopt;
            if (!n || *n > 0xFFFFFFFFull)
                fail("--seed needs a number from 0 to 4294967295");
            else
                options.seed = static_cast<std::uint32_t>(*n);
        } else if (name == "--size") {
            if (!takeValue(args, i, inlineValue, hasInline, value) || !parseSize(value, options))
                fail("--size needs WIDTHxHEIGHT, each 1 to 16384");
        } else if (name == "--render") {
            if (!takeValue(args, i, inlineValue, hasInline, options.renderPath) || options.renderPath.empty())
                fail("--render needs a file name");
        } else if (name == "--data") {
            if (!takeValue(args, i, inlineValue, hasInline, options.dataPath) || options.dataPath.empty())
                fail("--data needs a file name");
        } else if (name == "--password") {
            if (!takeValue(args, i, inlineValue, hasInline, value))
                fail("--password needs a value");
            else
                options.password = value;
        } else if (name.rfind("--", 0) == 0) {
            takeLongFlag(args, i, name, inlineValue, hasInline, options.settingOverrides, fail);
        } else {
            parse.remaining.push_back(arg);
        }
    }
    if (options.root && !options.windowId && xscreensaverWindow && xscreensaverWindow[0]) {
        options.windowId = parseWindowId(xscreensaverWindow);
        if (!options.windowId) fail("XSCREENSAVER_WINDOW does not name a window");
    }
    // A benchmark flies the same path offscreen every time, for a fixed number of frames.
    if (options.bench) {
        options.headless = true;
        if (!options.seed) options.seed = kBenchSeed;
        if (!options.frames) options.frames = kBenchFrames;
    }
    return parse;
}

const char* usageText() {
    return "Usage: tarnel [/s | /t | /c [N] | /p N] [options]\n"
           "  /s, /t            run the saver full screen\n"
           "  /c [N]            configuration dialog (owned by window N)\n"
           "  /p N              preview inside window N (N in decimal, or 0x... in hexadecimal)\n"
           "  (nothing)         configuration dialog\n"
           "Options:\n"
           "  --root            draw into the window named by XSCREENSAVER_WINDOW, else the root window\n"
           "  --window-id ID    draw into the existing X window ID (0x... or decimal)\n"
           "  --frames N        end after N frames\n"
           "  --render FILE.png write the last whole frame to a PNG file\n"
           "  --seed N          fixed seed for the flight instead of the clock\n"
           "  --size WxH        draw WxH pixels in a window (no mode switch), or offscreen\n"
           "  --headless        draw offscreen, with no display\n"
           "  --data FILE       read the scene from this data package\n"
           "  --dump-scene      load the package offscreen and print its scene as JSON\n"
           "  --dump-camera     print the camera flight as CSV (with --seed, --seconds S, --fps F)\n"
           "  --password PW     password of the data package (else TARNEL_PASSWORD, else the\n"
           "                    settings file's Password=)\n"
           "  --bench           time the load and the frames offscreen (seed 3, 300 frames unless given,\n"
           "                    the flight advancing 1/30 s a frame)\n"
           "  --json            print the --bench figures as JSON\n"
           "  --verbose         say on standard error what was skipped or substituted\n"
           "  --help            this text\n"
           "  --version         the program's version\n"
           "Any of --root, --window-id, --frames, --render, --seed, --size, --headless and --bench\n"
           "runs the saver when no switch is given.\n";
}

}  // namespace tarnel
