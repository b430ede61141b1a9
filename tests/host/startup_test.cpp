#include "assets/archive.h"
#include "assets/rar/rar_writer.h"
#include "host/settings.h"
#include "host/startup.h"
#include "platform/system.h"
#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
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
    // The smallest package that opens: an empty texture list.
    void writePackage(const fs::path& path) {
        std::vector<std::uint8_t> archive;
        ASSERT_TRUE(rar::writeStoredArchive({{"texture.txt", test::bytesOf("END_TEXT\n")}}, archive, nullptr));
        test::writeBytes(path, archive);
    }
    int render(const std::string& path, const std::vector<std::string>& more = {}) {
        std::vector<std::string> args = {"tarnel", "--headless", "--size", "32x24", "--frames", "2", "--render", path};
        args.insert(args.end(), more.begin(), more.end());
        return runTarnel(args);
    }

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
    writePackage(home / "data" / "data.sdd");
    fs::current_path(home);
    EXPECT_EQ(render("frame.png"), 0);
    EXPECT_TRUE(fs::exists(home / "frame.png"));
    EXPECT_FALSE(fs::exists(home / "data" / "frame.png"));
}

TEST_F(Startup, PackagePasswordComesFromTheCommandLineElseTheEnvironmentElseTheSettingsFile) {
    const PackageSource saved = packageSource();
    const char* oldEnv = std::getenv("TARNEL_PASSWORD");
    const std::string savedEnv = oldEnv ? oldEnv : "";
    writeSettings("EnableMusic=0\nPassword=from the file\n");
    const std::vector<std::string> run = {"tarnel", "--headless", "--size", "32x24", "--frames", "1",
                                          "--data", (home / "absent.sdd").string()};
    ::unsetenv("TARNEL_PASSWORD");
    EXPECT_EQ(runTarnel(run), 0);
    EXPECT_EQ(packageSource().password, "from the file");
    ::setenv("TARNEL_PASSWORD", "from the environment", 1);
    EXPECT_EQ(runTarnel(run), 0);
    EXPECT_EQ(packageSource().password, "from the environment");
    std::vector<std::string> withOption = run;
    withOption.insert(withOption.end(), {"--password", "from the option"});
    EXPECT_EQ(runTarnel(withOption), 0);
    EXPECT_EQ(packageSource().password, "from the option");
    if (oldEnv)
        ::setenv("TARNEL_PASSWORD", savedEnv.c_str(), 1);
    else
        ::unsetenv("TARNEL_PASSWORD");
    packageSource() = saved;
}

// Rendering and measuring are for tests: an output that failed is a failed run, while the
// saver itself runs on without its package.
TEST_F(Startup, RenderAndBenchFailWhenTheirOutputFailed) {
    writeSettings("EnableMusic=0\nPath=" + (home / "data").string() + "\n");
    writePackage(home / "data" / "data.sdd");
    std::ofstream(home / "file") << "in the way";
    std::ofstream(home / "random.sdd") << "not an archive at all";
    const std::string missing = (home / "missing.sdd").string();
    const std::string png = (home / "out.png").string();
    struct Case {
        std::vector<std::string> args;  // after --headless --size 32x24 --frames 2
        int status;
    };
    const Case cases[] = {
        {{"--render", png}, 0},
        {{"--render", (home / "file" / "x.png").string()}, 1},
        {{"--render", png, "--data", missing}, 1},
        {{"--render", png, "--data", (home / "random.sdd").string()}, 1},
        {{"--bench"}, 0},
        {{"--bench", "--data", missing}, 1},
        {{"--data", missing}, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> args = {"tarnel", "--headless", "--size", "32x24", "--frames", "2"};
        args.insert(args.end(), c.args.begin(), c.args.end());
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        int status = runTarnel(args);
        ::testing::internal::GetCapturedStdout();
        std::string said = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, c.status) << args.back() << "\n" << said;
        if (c.status == 1) {
            EXPECT_NE(said.find("tarnel: "), std::string::npos) << "the reason is said";
        }
    }
}

TEST_F(Startup, RenderedFilesHonourTheUmaskAndAReplacedFileKeepsItsMode) {
    writeSettings("EnableMusic=0\nPath=" + (home / "data").string() + "\n");
    writePackage(home / "data" / "data.sdd");
    auto modeOf = [](const fs::path& path) {
        struct stat st {};
        return ::stat(path.c_str(), &st) == 0 ? (st.st_mode & 0777) : 0u;
    };
    const mode_t old = ::umask(022);
    EXPECT_EQ(render((home / "a.png").string()), 0);
    EXPECT_EQ(modeOf(home / "a.png"), 0644u);
    ::umask(077);
    EXPECT_EQ(render((home / "b.png").string()), 0);
    EXPECT_EQ(modeOf(home / "b.png"), 0600u);
    ::chmod((home / "a.png").c_str(), 0640);
    EXPECT_EQ(render((home / "a.png").string()), 0);
    EXPECT_EQ(modeOf(home / "a.png"), 0640u);
    ::umask(old);
    for (const auto& entry : fs::directory_iterator(home))
        EXPECT_NE(entry.path().filename().string()[0], '.') << "a temporary file was left: " << entry.path();
}

}  // namespace
}  // namespace tarnel
