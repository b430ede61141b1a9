#include "host/command_line.h"
#include "host/options.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

struct LineCase {
    const char* line;
    std::int32_t mode;
    std::int32_t parentWindow;
};

TEST(CommandLine, ReadsEverySwitchOfTheScreensaverGrammar) {
    const LineCase cases[] = {
        {"\"C:\\saver.scr\"", Configure, 0},
        {"saver.scr", Configure, 0},
        {"", Configure, 0},
        {"\"saver.scr\" /c", Configure, 0},
        {"\"saver.scr\" /c:1234", Configure, 1234},
        {"\"saver.scr\" /c 1234", Configure, 1234},
        {"\"saver.scr\" -C1234", Configure, 1234},
        {"\"saver.scr\" /p 1234", Preview, 1234},
        {"\"saver.scr\" /P", Preview, 0},
        {"\"saver.scr\" /s", Saver, 0},
        {"\"saver.scr\" /S", Saver, 0},
        {"\"saver.scr\" -s", Saver, 0},
        {"\"saver.scr\" /x", Saver, 0},
        {"\"saver.scr\" /", Saver, 0},
        {"\"saver.scr\" /t", RunMode::Test, 0},
        {"\"saver.scr\" /T /c 5", RunMode::Test, 0},
        {"\"saver.scr\" /s /c 77", Saver, 0},
        {"\"saver.scr\" /c abc 42 7", Configure, 42},
        {"\"saver.scr\" /c:-5", Configure, 5},
        {"\"saver.scr\" /c 99999999999", Configure, 2147483647},
        {"\"saver.scr\" plain words", Configure, 0},
        // Window numbers as X tools print them; a handle is 32 bits, so wider ones name none.
        {"\"saver.scr\" /p 0x2a00007", Preview, 0x2a00007},
        {"\"saver.scr\" /c:0X1F", Configure, 0x1F},
        {"\"saver.scr\" -p0x2a", Preview, 0x2a},
        {"\"saver.scr\" /p 0xffffffff", Preview, -1},
        {"\"saver.scr\" /p 0x1ffffffff", Preview, -1},
        {"\"saver.scr\" /p 0x", Preview, 0},
        {"\"saver.scr\" /c 10x5", Configure, 10},
    };
    for (const LineCase& c : cases) {
        ParsedCommandLine parsed = parseCommandLine(c.line);
        EXPECT_EQ(parsed.mode, c.mode) << c.line;
        EXPECT_EQ(parsed.parentWindow, c.parentWindow) << c.line;
    }
}

TEST(CommandLine, TellsMistypedOptionsFromDashSwitches) {
    struct OptionCase {
        const char* line;
        const char* unknownOption;
    };
    const OptionCase cases[] = {
        {"\"saver.scr\" -h", "-h"},
        {"\"saver.scr\" -help", "-help"},
        {"\"saver.scr\" -x", "-x"},
        {"\"saver.scr\" -root", "-root"},
        {"\"saver.scr\" -scr", "-scr"},
        {"\"saver.scr\" --foo", "--foo"},
        {"\"saver.scr\" -", "-"},
        {"\"saver.scr\" \"-h x\"", "-h"},
        {"\"saver.scr\"-h", "-h"},
        {"\"saver.scr\" -s", ""},
        {"\"saver.scr\" -T", ""},
        {"\"saver.scr\" -C1234", ""},
        {"\"saver.scr\" -c:12", ""},
        {"\"saver.scr\" -p0x2a", ""},
        {"\"saver.scr\" /x", ""},
        {"\"saver.scr\" /help", ""},
        {"\"saver.scr\" /s -h", ""},
        {"\"saver.scr\" abc-h", ""},
        {"C:\\Program Files\\my-saver.scr", ""},
    };
    for (const OptionCase& c : cases) EXPECT_EQ(parseCommandLine(c.line).unknownOption, c.unknownOption) << c.line;
}

TEST(CommandLine, SkipsAQuotedProgramPathWhole) {
    EXPECT_EQ(parseCommandLine("\"C:\\my-saver\\a/b.scr\"").mode, Configure);
    EXPECT_EQ(parseCommandLine("\"/opt/x-y/tarnel\" /p 3").mode, Preview);
    // An unclosed quote swallows the whole line.
    EXPECT_EQ(parseCommandLine("\"C:\\saver /s").mode, Configure);
}

TEST(CommandLine, SkipsAnUnquotedProgramPathOnlyToItsFirstBlank) {
    ParsedCommandLine parsed = parseCommandLine("C:\\Program Files\\my-saver.scr");
    EXPECT_TRUE(parsed.switchFound);
    EXPECT_EQ(parsed.mode, Saver);  // "-s" of "my-saver" is the switch
    EXPECT_EQ(parseCommandLine("C:\\Program Files\\x/c12").parentWindow, 12);
    EXPECT_FALSE(parseCommandLine("/usr/bin/tarnel").switchFound);
}

TEST(CommandLine, BuildsTheLineWithTheProgramPathQuoted) {
    EXPECT_EQ(buildCommandLine({"/opt/my-dir/tarnel", "/p", "1234"}), "\"/opt/my-dir/tarnel\" /p 1234");
    EXPECT_EQ(buildCommandLine({"/a b/tarnel", "two words", ""}), "\"/a b/tarnel\" \"two words\" \"\"");
    EXPECT_EQ(parseCommandLine(buildCommandLine({"/opt/my-dir/tarnel"})).mode, Configure);
    EXPECT_EQ(parseCommandLine(buildCommandLine({"/opt/my-dir/tarnel", "/c", "12"})).parentWindow, 12);
}

OptionParse parseArgs(std::vector<std::string> args, const char* xscreensaverWindow = nullptr) {
    args.insert(args.begin(), "tarnel");
    return parseRunOptions(args, xscreensaverWindow);
}

TEST(RunOptions, TakesOurOptionsOutAndLeavesTheSwitchLine) {
    OptionParse parse = parseArgs({"--frames", "3", "/p", "--render=out.png", "77", "--seed", "12", "--size",
                                   "320x200", "--headless", "--verbose", "--data", "x.sdd", "--password", "pw"});
    ASSERT_EQ(parse.error, "");
    EXPECT_EQ(parse.remaining, (std::vector<std::string>{"tarnel", "/p", "77"}));
    const RunOptions& o = parse.options;
    EXPECT_EQ(*o.frames, 3);
    EXPECT_EQ(o.renderPath, "out.png");
    EXPECT_EQ(*o.seed, 12u);
    EXPECT_EQ(*o.width, 320);
    EXPECT_EQ(*o.height, 200);
    EXPECT_TRUE(o.headless);
    EXPECT_TRUE(o.verbose);
    EXPECT_EQ(o.dataPath, "x.sdd");
    EXPECT_EQ(*o.password, "pw");
    ParsedCommandLine line = parseCommandLine(buildCommandLine(parse.remaining));
    EXPECT_EQ(line.mode, Preview);
    EXPECT_EQ(line.parentWindow, 77);
}

TEST(RunOptions, LeaveEveryScreensaverLineAsItWas) {
    const std::vector<std::vector<std::string>> lines = {
        {}, {"/s"}, {"/c", "5"}, {"-C1234"}, {"/p", "9"}, {"/t"}, {"-x"}};
    for (const auto& args : lines) {
        std::vector<std::string> full = args;
        full.insert(full.begin(), "tarnel");
        OptionParse parse = parseArgs(args);
        EXPECT_EQ(parse.remaining, full);
        ParsedCommandLine ours = parseCommandLine(buildCommandLine(parse.remaining));
        ParsedCommandLine plain = parseCommandLine(buildCommandLine(full));
        EXPECT_EQ(ours.mode, plain.mode);
        EXPECT_EQ(ours.parentWindow, plain.parentWindow);
    }
}

TEST(RunOptions, ReadsWindowIdsInHexAndDecimal) {
    EXPECT_EQ(*parseArgs({"--root", "--window-id", "0x200C9C"}).options.windowId, 0x200C9Cu);
    EXPECT_EQ(*parseArgs({"--window-id=2100380"}).options.windowId, 2100380u);
    // The X toolkit's single-dash spelling, as some hosts start their hacks.
    OptionParse toolkit = parseArgs({"-root", "-window-id", "0x2a00007"});
    EXPECT_TRUE(toolkit.options.root);
    EXPECT_EQ(*toolkit.options.windowId, 0x2a00007u);
    EXPECT_EQ(toolkit.remaining, std::vector<std::string>{"tarnel"});
    EXPECT_EQ(*parseWindowId("0X1f"), 0x1Fu);
    EXPECT_FALSE(parseWindowId("0x"));
    EXPECT_FALSE(parseWindowId("0"));
    EXPECT_FALSE(parseWindowId("12ab"));
    EXPECT_FALSE(parseWindowId("-5"));
    EXPECT_FALSE(parseWindowId("0x1ffffffffffffffff"));
}

TEST(RunOptions, RootTakesTheHostWindowFromTheEnvironment) {
    EXPECT_EQ(*parseArgs({"--root"}, "0x400007").options.windowId, 0x400007u);
    // An explicit window wins over the variable, and the variable alone does nothing.
    EXPECT_EQ(*parseArgs({"--root", "--window-id", "9"}, "0x400007").options.windowId, 9u);
    EXPECT_FALSE(parseArgs({}, "0x400007").options.windowId);
    EXPECT_FALSE(parseArgs({"--root"}).options.windowId);
    EXPECT_NE(parseArgs({"--root"}, "junk").error, "");
}

TEST(RunOptions, RejectsMalformedValues) {
    const std::vector<std::vector<std::string>> bad = {
        {"--frames"}, {"--frames", "0"}, {"--frames", "x"}, {"--frames", "-3"},
        {"--seed", "4294967296"}, {"--size", "100"}, {"--size", "0x10"}, {"--size", "99999x10"},
        {"--render"}, {"--render="}, {"--window-id", "zz"}, {"--data"},
        {"--fps", "0"}, {"--seconds", "-1"}, {"--seconds", "nan"}, {"--root=1"}, {"--clock=yes"}};
    for (const auto& args : bad) EXPECT_NE(parseArgs(args).error, "") << args[0];
    EXPECT_EQ(*parseArgs({"--seed", "4294967295"}).options.seed, 4294967295u);
    RunOptions dump = parseArgs({"--dump-camera", "--seconds=2.5", "--fps", "60"}).options;
    EXPECT_TRUE(dump.dumpCamera);
    EXPECT_DOUBLE_EQ(dump.seconds, 2.5);
    EXPECT_DOUBLE_EQ(dump.fps, 60.0);
}

TEST(RunOptions, RefusesLongOptionsOfNoMeaningHere) {
    EXPECT_EQ(parseArgs({"--hepl"}).error, "unknown option --hepl");
    EXPECT_EQ(parseArgs({"/s", "--foo=1"}).error, "unknown option --foo");
    EXPECT_EQ(parseArgs({"--"}).error, "unknown option --");
    EXPECT_EQ(parseArgs({"--no-clock", "--24h", "--fps"}).error, "");
}

TEST(RunOptions, SaverOnlyOptionsImplyTheSaverRun) {
    EXPECT_TRUE(parseArgs({"--headless"}).options.impliesSaver());
    EXPECT_TRUE(parseArgs({"--frames", "2"}).options.impliesSaver());
    EXPECT_TRUE(parseArgs({"--root"}).options.impliesSaver());
    EXPECT_FALSE(parseArgs({"--verbose", "--data", "d.sdd"}).options.impliesSaver());
    EXPECT_TRUE(parseArgs({"--help"}).options.help);
}

}  // namespace
}  // namespace tarnel
