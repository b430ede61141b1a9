#include "host/full_screen_mode.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

TEST(FullScreenMode, TheDesktopModeStandsInOnlyForASizeTheDisplayLacks) {
    struct Row {
        std::vector<platform::DisplayMode> modes;
        std::optional<platform::DisplayMode> desktop;
        int width, height;
        bool standsIn;
    };
    const platform::DisplayMode desktop{1920, 1080, 24, 60};
    const Row rows[] = {
        {{{1920, 1080, 24, 60}, {1024, 768, 16, 75}}, desktop, 1024, 768, false},  // listed at any depth or rate
        {{{1920, 1080, 24, 60}}, desktop, 1920, 1080, true},                       // a screen that cannot switch
        {{}, desktop, 1920, 1080, true},                                           // no list at all
        {{{1920, 1080, 24, 60}}, std::nullopt, 1024, 768, false},                  // nothing to stand in
    };
    Settings settings;
    settings.Width = 1024;
    settings.Height = 768;
    settings.Depth = 32;
    for (const Row& row : rows) {
        FullScreenChoice choice = chooseFullScreenMode(settings, row.modes, row.desktop);
        EXPECT_EQ(choice.mode.width, row.width);
        EXPECT_EQ(choice.mode.height, row.height);
        EXPECT_EQ(choice.desktopStandsIn, row.standsIn);
    }
    settings.Width = 1920;
    settings.Height = 1080;
    EXPECT_FALSE(chooseFullScreenMode(settings, {}, desktop).desktopStandsIn) << "the desktop's own size";
}

}  // namespace
}  // namespace tarnel
