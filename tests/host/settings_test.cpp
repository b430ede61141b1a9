#include "host/settings.h"
#include "platform/system.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cctype>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <vector>

namespace tarnel {
namespace {

namespace fs = std::filesystem;

class SettingsFile : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("tarnel-settings-" + std::to_string(::getpid()) + "-" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        path = (folder / "tarnel" / "settings.ini").string();
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string read() {
        std::string text;
        platform::readFileBounded(path, 1 << 20, text);
        return text;
    }
    std::size_t filesInFolder() {
        std::size_t n = 0;
        for (auto& entry : fs::directory_iterator(fs::path(path).parent_path())) n += entry.is_regular_file();
        return n;
    }

    fs::path folder;
    std::string path;
};

Settings firstRunDefaults() {
    return defaultSettings(platform::DisplayMode{1920, 1080, 32, 60}, "/usr/share/tarnel");
}

TEST(Settings, FirstRunDefaultsAreRestoreDefaultsWithTheDesktopMode) {
    Settings s = parseSettings("", firstRunDefaults());
    EXPECT_TRUE(s.ShowClock);
    EXPECT_FALSE(s.TimeFormat);
    EXPECT_TRUE(s.EnableMusic);
    EXPECT_TRUE(s.UseDesktop);
    EXPECT_TRUE(s.DefGamma);
    EXPECT_EQ(s.Width, 1920u);
    EXPECT_EQ(s.Height, 1080u);
    EXPECT_EQ(s.Depth, 32u);
    EXPECT_EQ(s.Volume, 100u);
    EXPECT_EQ(s.Gamma, 50u);
    EXPECT_EQ(s.Speed, 50u);
    EXPECT_FALSE(s.ShowFPS);
    EXPECT_FALSE(s.VSync);
    EXPECT_FALSE(s.MouseExit);
    EXPECT_EQ(s.Path, "/usr/share/tarnel");
    // A desktop smaller than the smallest mode still gives a usable one.
    Settings tiny = defaultSettings(platform::DisplayMode{320, 200, 8, 0}, "");
    EXPECT_EQ(tiny.Width, 640u);
    EXPECT_EQ(tiny.Height, 480u);
    EXPECT_EQ(tiny.Depth, 16u);
}

TEST(Settings, DefGammaHoldsGammaAtFifty) {
    EXPECT_EQ(parseSettings("Gamma=80\nDefGamma=1\n", firstRunDefaults()).Gamma, 50u);
    EXPECT_EQ(parseSettings("DefGamma=1\nGamma=80\n", firstRunDefaults()).Gamma, 50u);
    EXPECT_EQ(parseSettings("Gamma=80\nDefGamma=0\n", firstRunDefaults()).Gamma, 80u);
}

TEST(Settings, ReadsValuesAndHoldsThemToTheirRanges) {
    Settings s = parseSettings("[Tarnel]\nWidth = 800\nHeight=100\nDepth=999\nVolume=0\nGamma=-4\n"
                               "Speed=18446744073709551617\nShowFPS=7\nVSync=-1\nMouseExit=0\nshowclock=0\n"
                               "DefGamma=0\nTimeFormat=1\nPath=/data/tarnel\n",
                               firstRunDefaults());
    EXPECT_EQ(s.Width, 800u);
    EXPECT_EQ(s.Height, 480u);
    EXPECT_EQ(s.Depth, 32u);
    EXPECT_EQ(s.Volume, 1u);
    EXPECT_EQ(s.Gamma, 0u);
    EXPECT_EQ(s.Speed, 100u);
    EXPECT_TRUE(s.ShowFPS);
    EXPECT_TRUE(s.VSync);
    EXPECT_FALSE(s.MouseExit);
    EXPECT_FALSE(s.ShowClock);
    EXPECT_TRUE(s.TimeFormat);
    EXPECT_EQ(s.Path, "/data/tarnel");
}

TEST(Settings, HostileTextKeepsDefaultsWhereItCannotBeRead) {
    std::string text = "garbage without equals\n=5\nWidth=12abc\nHeight=\nVolume=++3\n\x01\x02\xff=\xfe\n"
                       "Speed=" + std::string(500, '9') + "\nPath=" + std::string(300, 'p') + "\n";
    text += "Gamma=" + std::string(10 * 1024 * 1024, '7') + "Volume=3\n";
    text += "DefGamma=0\nGamma=20\n";
    Settings s = parseSettings(text, firstRunDefaults());
    EXPECT_EQ(s.Width, 1920u);
    EXPECT_EQ(s.Height, 1080u);
    EXPECT_EQ(s.Volume, 100u);   // nothing from inside the long line is read
    EXPECT_EQ(s.Speed, 100u);    // a huge number is held, not wrapped
    EXPECT_EQ(s.Path, "/usr/share/tarnel");
    EXPECT_EQ(s.Gamma, 20u);     // lines after the 10 MB line are still read
    std::string withNul = std::string("Volume=40\n") + '\0' + "Volume=60\n";
    EXPECT_EQ(parseSettings(withNul, firstRunDefaults()).Volume, 40u);
    std::string longestPath(kPathLimit, 'q');
    EXPECT_EQ(parseSettings("Path=" + longestPath + "\nVolume=9\n", firstRunDefaults()).Path, longestPath);
}

// The Path lines of a save's text: the ones that a load of it reads.
std::vector<std::string> pathLinesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        std::string lower = line;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower.find("path") != std::string::npos) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

TEST(Settings, ASaveKeepsThePathLineThatTheLoadReads) {
    const std::string overlong = "Path=/" + std::string(kPathLimit, 'p');
    const std::string longest = "Path=/" + std::string(kPathLimit - 1, 'q');
    struct Case {
        const char* what;
        std::string oldText;
        std::string path;      // what a load of the old text reads
        std::string keptLine;  // the one Path line of the save, or "" for none
    } cases[] = {
        {"the later of two", "Path=/first\nVolume=5\nPath=/second\n", "/second", "Path=/second"},
        {"an empty later one is not read", "Path=/first\nPath=\n", "/first", "Path=/first"},
        {"an overlong later one is not read", "Path=/first\n" + overlong + "\n", "/first", "Path=/first"},
        {"the longest is kept whole", "Path=/first\n" + longest, longest.substr(5), longest},
        {"names in any letter case", "path = /lower ; a note\nPATH=/upper\r\n", "/upper", "PATH=/upper\r"},
        {"the reader's other separator", "Path=/equals\nPath : /colon\n", "/colon", "Path : /colon"},
        {"a line past the length limit is not read",
         "Path=/short\nPath=/" + std::string(2000, 'x') + "\n", "/short", "Path=/short"},
        {"a byte-order mark is left behind", "\xEF\xBB\xBFPath=/marked\n", "/marked", "Path=/marked"},
        {"a commented one is not read", "Path=/kept\n;Path=/comment\n#Path=/hash\n", "/kept", "Path=/kept"},
        {"none", "Volume=5\n", "/default", ""},
    };
    Settings defaults;
    defaults.Path = "/default";
    for (const Case& c : cases) {
        EXPECT_EQ(parseSettings(c.oldText, defaults).Path, c.path) << c.what;
        std::string saved = formatSettings(parseSettings(c.oldText, defaults), c.oldText);
        std::vector<std::string> kept = pathLinesOf(saved);
        EXPECT_EQ(kept, (c.keptLine.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.keptLine}))
            << c.what << ":\n" << saved;
        EXPECT_EQ(parseSettings(saved, defaults).Path, c.path) << c.what << ": the save changed the Path in force";
    }
}

TEST_F(SettingsFile, MissingFileGivesTheDefaults) {
    Settings s = loadSettings(path, firstRunDefaults());
    EXPECT_EQ(s.Width, 1920u);
    EXPECT_TRUE(s.EnableMusic);
}

TEST_F(SettingsFile, SaveAndLoadRoundTripEveryValue) {
    Settings s = firstRunDefaults();
    s.ShowClock = false;
    s.TimeFormat = true;
    s.EnableMusic = false;
    s.UseDesktop = false;
    s.DefGamma = false;
    s.Width = 1280;
    s.Height = 1024;
    s.Depth = 16;
    s.Volume = 35;
    s.Gamma = 71;
    s.Speed = 9;
    s.ShowFPS = true;
    s.VSync = true;
    s.MouseExit = true;
    s.Password = "secret";
    ASSERT_TRUE(saveSettings(path, s));
    Settings back = loadSettings(path, Settings{});
    EXPECT_EQ(formatSettings(back, ""), formatSettings(s, ""));
    EXPECT_EQ(back.Path, "");  // Path and Password are never written
    EXPECT_EQ(back.Password, "");
}

TEST_F(SettingsFile, SaveWritesShowFlameZeroInTheFixedOrderAndKeepsTheUsersPathAndPassword) {
    {
        std::ofstream out(path.c_str());
        ASSERT_FALSE(out) << "parent folder should not exist yet";
    }
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream(path) << "Width=1024\npassword= two words \nPath = /home/me/tarnel data\nShowFlame=1\n";
    Settings s = loadSettings(path, firstRunDefaults());
    EXPECT_EQ(s.Path, "/home/me/tarnel data");
    EXPECT_EQ(s.Password, "two words");
    s.Path = "/elsewhere";
    s.Password = "changed";
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(saveSettings(path, s));
    std::string text = read();
    const char* order[] = {"ShowClock=", "TimeFormat=", "EnableMusic=", "UseDesktop=", "ShowFlame=0", "DefGamma=",
                           "Width=",     "Height=",     "Depth=",       "Volume=",     "Speed=",      "Gamma=",
                           "VSync=",     "MouseExit=",  "ShowFPS=",     "Path = /home/me/tarnel data",
                           "password= two words "};
    std::size_t at = 0;
    for (const char* name : order) {
        std::size_t found = text.find(name, at);
        ASSERT_NE(found, std::string::npos) << name << " in\n" << text;
        at = found;
    }
    EXPECT_EQ(text.find("/elsewhere"), std::string::npos);
    EXPECT_EQ(text.find("changed"), std::string::npos);
    EXPECT_EQ(loadSettings(path, Settings{}).Path, "/home/me/tarnel data");
    EXPECT_EQ(loadSettings(path, Settings{}).Password, "two words");
}

TEST_F(SettingsFile, AFailedSaveLeavesTheOldFileWhole) {
    Settings old = firstRunDefaults();
    old.Volume = 42;
    ASSERT_TRUE(saveSettings(path, old));
    std::string before = read();
    // A child whose writes fail part way (file size limit) stands for a crash mid-save.
    pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{16, 16};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::string reason;
        bool saved = platform::writeFileAtomically(path, std::string(4096, 'x'), &reason);
        ::_exit(saved ? 1 : reason != "File too large" ? 2 : 0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 1) << "the cut-short write must be reported";
    EXPECT_NE(WEXITSTATUS(status), 2) << "with the system's reason";
    EXPECT_EQ(read(), before);
    EXPECT_EQ(filesInFolder(), 1u) << "no temporary file is left behind";
    EXPECT_EQ(loadSettings(path, Settings{}).Volume, 42u);
}

TEST_F(SettingsFile, ASaveThatCannotMakeItsFolderSaysWhy) {
    fs::create_directories(folder);
    std::ofstream(folder / "tarnel") << "a file where the folder should be";
    std::string reason;
    EXPECT_FALSE(saveSettings(path, Settings{}, &reason));
    EXPECT_EQ(reason, "Not a directory");
}

TEST_F(SettingsFile, SettingsPathFollowsXdgConfigHome) {
    const char* old = std::getenv("XDG_CONFIG_HOME");
    std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    EXPECT_EQ(platform::settingsFilePath(), path);
    ::setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    ::setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(platform::settingsFilePath(), "/home/someone/.config/tarnel/settings.ini");
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace tarnel
