// The configuration dialog's logic: what each control does to the settings and to the
// other controls, and what OK saves.
#include "host/dialog_controller.h"

#include <gtest/gtest.h>

namespace tarnel {
namespace {

const std::vector<platform::DisplayMode> kModes = {
    {640, 480, 8, 60},    {640, 480, 16, 60},  {640, 480, 16, 75}, {800, 600, 32, 60},
    {1024, 768, 32, 60},  {1024, 768, 32, 75}, {800, 600, 32, 85}, {320, 240, 32, 60},
};
const platform::DisplayMode kDesktop{1024, 768, 32, 60};

struct DialogFixture : ::testing::Test {
    Settings settings;
    std::optional<Settings> saved;
    bool saveWorks = true;
    std::unique_ptr<DialogController> dialog;

    void open(std::vector<platform::DisplayMode> modes = kModes) {
        dialog = std::make_unique<DialogController>(
            settings, modes, kDesktop,
            [this](const Settings& s, std::string& reason) {
                saved = s;
                if (!saveWorks) reason = "Read-only file system";
                return saveWorks;
            },
            "/home/me/.config/tarnel/settings.ini");
    }
    const platform::ConfigDialogState& state() { return dialog->state(); }
};

TEST(DialogModeList, KeepsQualifyingModesInOrderAndCollapsesRefreshRuns) {
    EXPECT_EQ(modeListEntries(kModes),
              (std::vector<std::string>{"640 x 480 16 bits", "800 x 600 32 bits", "1024 x 768 32 bits",
                                        "800 x 600 32 bits"}));
    EXPECT_TRUE(modeListEntries({{320, 240, 32, 60}, {1024, 768, 8, 60}, {639, 480, 32, 60}}).empty());
}

TEST_F(DialogFixture, InitialStateFollowsSettings) {
    settings.UseDesktop = false;
    settings.Width = 800, settings.Height = 600, settings.Depth = 32;
    settings.EnableMusic = false;
    settings.DefGamma = false;
    settings.Gamma = 20;
    settings.Volume = 40;
    settings.ShowClock = false;
    settings.TimeFormat = true;
    open();
    EXPECT_EQ(state().selectedMode, 1);
    EXPECT_TRUE(state().modeListEnabled);
    EXPECT_FALSE(state().volume.enabled);
    EXPECT_FALSE(state().volumeLabelEnabled);
    EXPECT_TRUE(state().gamma.enabled);
    EXPECT_EQ(state().volumeLabel, "Volume (40%)");
    EXPECT_EQ(state().brightnessLabel, "Brightness (70%)");
    EXPECT_TRUE(state().twelveHour);
    EXPECT_FALSE(state().radiosEnabled);
    EXPECT_EQ(state().volume.low, 1);
    EXPECT_EQ(state().speed.page, 10);
}

TEST_F(DialogFixture, EveryBarMoveSetsItsSettingAndLabelAtOnce) {
    settings.DefGamma = false;
    open();
    struct Move {
        int bar;
        int position;
        std::uint32_t volume, gamma, speed;
        const char* volumeLabel;
        const char* brightnessLabel;
    } moves[] = {
        {platform::kVolumeBar, 60, 60, 50, 50, "Volume (60%)", "Brightness (100%)"},
        {platform::kVolumeBar, 61, 61, 50, 50, "Volume (61%)", "Brightness (100%)"},  // one step
        {platform::kGammaBar, 0, 61, 0, 50, "Volume (61%)", "Brightness (50%)"},
        {platform::kSpeedBar, 100, 61, 0, 100, "Volume (61%)", "Brightness (50%)"},
        {platform::kVolumeBar, 0, 1, 0, 100, "Volume (1%)", "Brightness (50%)"},      // held to the range
        {platform::kGammaBar, 500, 1, 100, 100, "Volume (1%)", "Brightness (150%)"},
        {4242, 7, 1, 100, 100, "Volume (1%)", "Brightness (150%)"},                   // no such bar
    };
    for (const Move& move : moves) {
        dialog->trackBarMoved(move.bar, move.position);
        EXPECT_EQ(settings.Volume, move.volume) << move.bar << " to " << move.position;
        EXPECT_EQ(settings.Gamma, move.gamma) << move.bar << " to " << move.position;
        EXPECT_EQ(settings.Speed, move.speed) << move.bar << " to " << move.position;
        EXPECT_EQ(state().volumeLabel, move.volumeLabel);
        EXPECT_EQ(state().brightnessLabel, move.brightnessLabel);
    }
    EXPECT_EQ(state().volume.position, 1);
    EXPECT_EQ(state().gamma.position, 100);
    dialog->command(platform::kOkButton);
    EXPECT_EQ(saved->Volume, 1u);
    EXPECT_EQ(saved->Gamma, 100u);
    EXPECT_EQ(saved->Speed, 100u);
}

TEST_F(DialogFixture, DisabledBarsChangeNothing) {
    settings.EnableMusic = false;  // volume bar off
    settings.DefGamma = true;      // gamma bar off
    settings.Volume = 40;
    open();
    dialog->trackBarMoved(platform::kVolumeBar, 90);
    dialog->trackBarMoved(platform::kGammaBar, 90);
    EXPECT_EQ(settings.Volume, 40u);
    EXPECT_EQ(settings.Gamma, 50u);
    EXPECT_EQ(state().volume.position, 40);
    EXPECT_EQ(state().volumeLabel, "Volume (40%)");
}

TEST_F(DialogFixture, RestoreDefaultsThenOkSavesDefaultsAndKeepsSpeedAndTimeFormat) {
    settings = Settings{false, true, false, false, false, 800, 600, 32, 20, 10, 80, true, true, true, "", ""};
    open();
    dialog->command(platform::kRestoreDefaultsButton);
    EXPECT_FALSE(state().modeListEnabled);
    EXPECT_FALSE(state().gamma.enabled);
    EXPECT_EQ(dialog->command(platform::kOkButton), platform::CommandOutcome::Close);
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->UseDesktop && saved->EnableMusic && saved->DefGamma && saved->ShowClock);
    EXPECT_FALSE(saved->ShowFPS || saved->VSync || saved->MouseExit);
    EXPECT_EQ(saved->Width, 1024u);
    EXPECT_EQ(saved->Volume, 100u);
    EXPECT_EQ(saved->Gamma, 50u);
    EXPECT_EQ(saved->Speed, 80u);
    EXPECT_TRUE(saved->TimeFormat);
    EXPECT_EQ(dialog->result(), platform::kOkButton);
}

TEST_F(DialogFixture, DefaultGammaOffAfterOnShowsHundredPercentAtFifty) {
    settings.DefGamma = false;
    open();
    dialog->trackBarMoved(platform::kGammaBar, 80);
    dialog->command(platform::kDefaultGammaBox);
    dialog->command(platform::kDefaultGammaBox);
    EXPECT_EQ(state().brightnessLabel, "Brightness (100%)");
    EXPECT_EQ(state().gamma.position, 50);
    EXPECT_TRUE(state().gamma.enabled && state().brightnessLabelEnabled);
    EXPECT_EQ(settings.Gamma, 50u);
}

TEST_F(DialogFixture, EmptyListOrMissingModeKeepsStoredMode) {
    settings.UseDesktop = false;
    settings.Width = 1600, settings.Height = 1200, settings.Depth = 16;
    for (const auto& modes : {std::vector<platform::DisplayMode>{}, kModes}) {
        open(modes);
        EXPECT_EQ(state().selectedMode, -1);
        dialog->command(platform::kOkButton);
        EXPECT_EQ(saved->Width, 1600u);
        EXPECT_EQ(saved->Height, 1200u);
        EXPECT_EQ(saved->Depth, 16u);
    }
}

TEST_F(DialogFixture, ClockOffDisablesRadiosAndOkStillSavesTheirMark) {
    open();
    dialog->radioChosen(platform::kTwelveHourRadio);
    dialog->command(platform::kShowTimeBox);
    EXPECT_FALSE(state().radiosEnabled);
    EXPECT_TRUE(state().twelveHour);
    dialog->command(platform::kOkButton);
    EXPECT_FALSE(saved->ShowClock);
    EXPECT_TRUE(saved->TimeFormat);
}

TEST_F(DialogFixture, TogglesAndCancel) {
    settings.UseDesktop = false;
    settings.Width = 800, settings.Height = 600, settings.Depth = 32;
    open();
    dialog->command(platform::kUseDesktopBox);
    EXPECT_EQ(state().selectedMode, 2);
    EXPECT_FALSE(state().modeListEnabled);
    dialog->command(platform::kEnableMusicBox);
    EXPECT_FALSE(state().volume.enabled);
    for (int box : {platform::kShowFpsBox, platform::kVSyncBox, platform::kMouseExitBox}) dialog->command(box);
    EXPECT_TRUE(settings.ShowFPS && settings.VSync && settings.MouseExit);
    EXPECT_EQ(dialog->command(platform::kAboutButton), platform::CommandOutcome::ShowAbout);
    EXPECT_EQ(dialog->command(platform::kVisitButton), platform::CommandOutcome::VisitPage);
    EXPECT_EQ(dialog->command(4242), platform::CommandOutcome::NotHandled);
    EXPECT_EQ(dialog->command(platform::kCancelButton), platform::CommandOutcome::Close);
    EXPECT_FALSE(saved);
    EXPECT_EQ(dialog->result(), platform::kCancelButton);
}

TEST_F(DialogFixture, AFailedSaveIsToldWithTheSettingsFileAndTheReason) {
    open();
    dialog->command(platform::kCancelButton);
    EXPECT_TRUE(dialog->saved()) << "nothing to save after Cancel";
    open();
    dialog->command(platform::kOkButton);
    EXPECT_TRUE(dialog->saved());
    EXPECT_EQ(state().saveFailure, "");
    saveWorks = false;
    open();
    EXPECT_EQ(dialog->command(platform::kOkButton), platform::CommandOutcome::Close);
    EXPECT_FALSE(dialog->saved());
    EXPECT_EQ(state().saveFailure,
              "The settings could not be saved to /home/me/.config/tarnel/settings.ini: Read-only file system");
    EXPECT_EQ(dialog->result(), platform::kOkButton);
}

}  // namespace
}  // namespace tarnel
