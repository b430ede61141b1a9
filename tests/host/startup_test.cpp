#include "host/settings.h"
#include "host/startup.h"
#include "platform/system.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace tarnel {
namespace {

namespace fs = std::filesystem;

// Runs start-up offscreen against a settings file of the test's own, and puts the working
// directory and the environment back afterwards.
class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        home = fs::temp_directory_path() / ("tarnel-startup-" + std::to_string(::getpid()));
        fs::remove_all(home);
        fs::create_directories(home / "tarnel");
        fs::create_directories(home / "data");
        oldCwd = fs::current_path();
        const char* old = std::getenv("XDG_CONFIG_HOME");
        oldConfig = old ? old : "";
        hadConfig = old != nullptr;
        ::setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    }
    void TearDown() override {
        fs::current_path(oldCwd);
        if (hadConfig)
            ::setenv("XDG_CONFIG_HOME", oldConfig.c_str(), 1);
        else
            ::unsetenv("XDG_CONFIG_HOME");
        fs::remove_all(home);
    }
    void writeSettings(const std::string& text) { std::ofstream(home / "tarnel" / "settings.ini") << text; }

    fs::path home;
    fs::path oldCwd;
    std::string oldConfig;
    bool hadConfig = false;
};

TEST_F(Startup, HelpAndMalformedOrUnknownOptionsEndBeforeAnythingRuns) {
    struct Case {
        std::vector<std::string> args;
        int status;
        const char* printed;  // how standard output begins
    };
    const Case cases[] = {
        {{"tarnel", "--help"}, 0, "Usage: "},
        {{"tarnel", "--version"}, 0, "tarnel 0."},
        {{"tarnel", "--frames"}, 2, ""},
        {{"tarnel", "/s", "--size", "12"}, 2, ""},
        {{"tarnel", "--hepl"}, 2, ""},
        {{"tarnel", "--foo", "--headless"}, 2, ""},
        {{"tarnel", "-h"}, 2, ""},
        {{"tarnel", "--dump-camera", "-help"}, 2, ""},
    };
    for (const Case& c : cases) {
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(runTarnel(c.args), c.status) << c.args[1];
        std::string printed = ::testing::internal::GetCapturedStdout();
        std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(printed.rfind(c.printed, 0), 0u) << printed;
        if (c.status == 2) {
            // One line that names what was wrong, then the usage.
            EXPECT_EQ(said.rfind("tarnel: ", 0), 0u) << said;
            EXPECT_EQ(said.find("Usage: "), said.find('\n') + 1) << said;
        }
    }
    EXPECT_EQ(fs::current_path(), oldCwd);
}

TEST_F(Startup, DesktopModeReplacesTheStoredModeAndPathBecomesTheWorkingDirectory) {
    writeSettings("EnableMusic=0\nUseDesktop=1\nWidth=1600\nHeight=1200\nDepth=16\nPath=" +
                  (home / "data").string() + "\n");
    EXPECT_EQ(runTarnel({"tarnel", "--headless", "--size", "700x500", "--frames", "1"}), 0);
    EXPECT_EQ(settings().Width, 700u);
    EXPECT_EQ(settings().Height, 500u);
    EXPECT_EQ(settings().Depth, 32u);
    EXPECT_EQ(fs::current_path(), home / "data");
}

TEST_F(Startup, StoredModeStaysWithoutUseDesktopAndABadPathIsIgnored) {
    writeSettings("EnableMusic=0\nUseDesktop=0\nWidth=1600\nHeight=1200\nDepth=16\nPath=/no/such/folder\n");
    EXPECT_EQ(runTarnel({"tarnel", "/t", "--headless", "--frames", "1"}), 0);
    EXPECT_EQ(settings().Width, 1600u);
    EXPECT_EQ(settings().Depth, 16u);
    EXPECT_EQ(fs::current_path(), oldCwd);
}

TEST_F(Startup, RendersWhereTheUserAskedNotInTheDataFolder) {
    writeSettings("EnableMusic=0\nPath=" + (home / "data").string() + "\n");
    fs::current_path(home);
    EXPECT_EQ(runTarnel({"tarnel", "--headless", "--size", "32x24", "--frames", "2", "--render", "frame.png"}), 0);
    EXPECT_TRUE(fs::exists(home / "frame.png"));
    EXPECT_FALSE(fs::exists(home / "data" / "frame.png"));
}

}  // namespace
}  // namespace tarnel
