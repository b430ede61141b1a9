// Setting flags: each one overrides its setting for the run; malformed values are refused.
#include "host/options.h"
#include "host/setting_flags.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

Settings overridden(const std::vector<std::string>& flags, std::string* error = nullptr) {
    std::vector<std::string> args{"tarnel"};
    args.insert(args.end(), flags.begin(), flags.end());
    OptionParse parse = parseRunOptions(args, nullptr);
    if (error) *error = parse.error;
    EXPECT_EQ(parse.remaining.size(), 1u);
    return applySettingOverrides(Settings{}, parse.options.settingOverrides);
}

TEST(SettingFlags, OverrideEverySettingOfTheDialog) {
    Settings s = overridden({"--speed", "70", "--volume=30", "--gamma", "80", "--no-music", "--no-clock", "--12h",
                             "--fps", "--vsync", "--mouse-exit", "--mode", "800x600x16"});
    EXPECT_EQ(s.Speed, 70u);
    EXPECT_EQ(s.Volume, 30u);
    EXPECT_EQ(s.Gamma, 80u);
    EXPECT_FALSE(s.DefGamma);
    EXPECT_FALSE(s.EnableMusic || s.ShowClock || s.UseDesktop);
    EXPECT_TRUE(s.TimeFormat && s.ShowFPS && s.VSync && s.MouseExit);
    EXPECT_EQ(s.Width, 800u);
    EXPECT_EQ(s.Height, 600u);
    EXPECT_EQ(s.Depth, 16u);
    // The last flag wins, and default gamma holds Gamma at 50 as the file does.
    s = overridden({"--no-fps", "--fps", "--no-fps", "--gamma", "10", "--default-gamma", "--24h"});
    EXPECT_FALSE(s.ShowFPS || s.TimeFormat);
    EXPECT_EQ(s.Gamma, 50u);
}

TEST(SettingFlags, RefuseValuesOutOfRangeOrMalformed) {
    for (const std::vector<std::string>& flags :
         std::vector<std::vector<std::string>>{{"--speed", "101"}, {"--volume", "0"}, {"--gamma", "-1"},
                                               {"--speed"}, {"--gamma", "5x"}, {"--mode", "320x200"},
                                               {"--mode", "800x600x16x2"}, {"--mode", "x600"}}) {
        std::vector<std::string> args{"tarnel"};
        args.insert(args.end(), flags.begin(), flags.end());
        EXPECT_FALSE(parseRunOptions(args, nullptr).error.empty()) << flags[0];
    }
    // With a number, --fps is the camera dump's rate, not the frame-rate display.
    OptionParse parse = parseRunOptions({"tarnel", "--fps", "24", "--no-clocks"}, nullptr);
    EXPECT_EQ(parse.options.fps, 24.0);
    EXPECT_TRUE(parse.options.settingOverrides.empty());
    EXPECT_EQ(parse.error, "unknown option --no-clocks");
}

}  // namespace
}  // namespace tarnel
