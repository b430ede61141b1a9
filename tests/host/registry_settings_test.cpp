// The stored-value form of the settings: read order and defaults, write order with
// ShowFlame, Path never written, DefGamma holding Gamma at 50.
#include "host/registry_settings.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

namespace tarnel {
namespace {

class FakeStore : public platform::SettingsStore {
public:
    std::map<std::string, std::uint32_t> numbers;
    std::map<std::string, std::string> texts;
    std::vector<std::string> reads;
    std::vector<std::pair<std::string, std::uint32_t>> writes;
    std::string refused;  // a value name whose write fails

    std::optional<std::uint32_t> readNumber(const std::string& name) override {
        reads.push_back(name);
        auto found = numbers.find(name);
        return found == numbers.end() ? std::nullopt : std::optional<std::uint32_t>(found->second);
    }
    std::optional<std::string> readText(const std::string& name, std::size_t maxBytes) override {
        reads.push_back(name);
        auto found = texts.find(name);
        if (found == texts.end() || found->second.size() > maxBytes) return std::nullopt;
        return found->second;
    }
    bool writeNumber(const std::string& name, std::uint32_t value) override {
        writes.emplace_back(name, value);
        return name != refused;
    }
    std::string writeFailure() const override { return "Access is denied."; }
};

TEST(RegistrySettings, ReadsEveryValueInFieldOrderOverTheDefaults) {
    FakeStore store;
    store.numbers = {{"ShowClock", 0}, {"TimeFormat", 7}, {"DefGamma", 0}, {"Width", 1280},
                     {"Gamma", 80},    {"Speed", 250},    {"VSync", 1}};
    store.texts = {{"Path", "C:\\Tarnel"}};
    Settings defaults;
    defaults.Height = 600;
    Settings s = readStoredSettings(store, defaults);
    EXPECT_EQ(store.reads, (std::vector<std::string>{"ShowClock", "TimeFormat", "EnableMusic", "UseDesktop",
                                                      "DefGamma", "Width", "Height", "Depth", "Volume", "Gamma",
                                                      "Speed", "ShowFPS", "VSync", "MouseExit", "Path"}));
    EXPECT_FALSE(s.ShowClock);
    EXPECT_TRUE(s.TimeFormat);  // any non-zero number is on
    EXPECT_EQ(s.Width, 1280u);
    EXPECT_EQ(s.Height, 600u);  // missing: the default stays
    EXPECT_EQ(s.Gamma, 80u);
    EXPECT_EQ(s.Speed, 250u);   // no range is applied to stored values
    EXPECT_TRUE(s.VSync);
    EXPECT_EQ(s.Path, "C:\\Tarnel");
}

TEST(RegistrySettings, DefaultGammaHoldsGammaAtFiftyAndAnOverlongPathIsIgnored) {
    FakeStore store;
    store.numbers = {{"DefGamma", 1}, {"Gamma", 80}};
    store.texts = {{"Path", std::string(kPathLimit + 1, 'x')}};
    Settings defaults;
    defaults.Path = "C:\\Data";
    Settings s = readStoredSettings(store, defaults);
    EXPECT_EQ(s.Gamma, 50u);
    EXPECT_EQ(s.Path, "C:\\Data");
}

TEST(RegistrySettings, WritesTheFixedOrderWithShowFlameZeroAndNoPath) {
    FakeStore store;
    Settings s;
    s.ShowClock = false;
    s.UseDesktop = false;
    s.Width = 800;
    s.Height = 600;
    s.Depth = 16;
    s.Volume = 40;
    s.Speed = 70;
    s.Gamma = 30;
    s.DefGamma = false;
    s.MouseExit = true;
    s.Path = "C:\\never";
    EXPECT_TRUE(writeStoredSettings(store, s));
    std::vector<std::pair<std::string, std::uint32_t>> expected = {
        {"ShowClock", 0}, {"TimeFormat", 0}, {"EnableMusic", 1}, {"UseDesktop", 0}, {"ShowFlame", 0},
        {"DefGamma", 0},  {"Width", 800},    {"Height", 600},    {"Depth", 16},     {"Volume", 40},
        {"Speed", 70},    {"Gamma", 30},     {"VSync", 0},       {"MouseExit", 1},  {"ShowFPS", 0}};
    EXPECT_EQ(store.writes, expected);
}

TEST(RegistrySettings, ARefusedWriteFailsTheSaveWithTheReasonAndTheRestAreStillWritten) {
    FakeStore store;
    store.refused = "Width";
    std::string reason;
    EXPECT_FALSE(writeStoredSettings(store, Settings{}, &reason));
    EXPECT_EQ(reason, "Access is denied.");
    EXPECT_EQ(store.writes.size(), 15u);
}

}  // namespace
}  // namespace tarnel
