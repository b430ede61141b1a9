#include "assets/archive.h"
#include "assets/loading_tick.h"
#include "assets/rar/rar_writer.h"
#include "script/environment.h"
#include "script/world.h"

#include "tests/archive/rar_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarnel::test::bytesOf;

namespace {

// A data package written by our archive writer into a temporary folder and made the package
// the loaders read, for as long as the fixture lives. Object scripts are told apart by how
// many blocks (loading ticks) they hold: sky 1, glow 2, planets 3, moons 4.
class PackageSceneTest : public ::testing::Test {
protected:
    void SetUp() override {
        saved = tarnel::packageSource();
        std::vector<tarnel::rar::WriterEntry> entries = {
            {"env.txt", bytesOf("env deep\r\nfirstpass scripts\\sky.txt\r\npostpass Scripts/GLOW.txt\r\nend\r\n"
                                "env empty\r\nfirstpass scripts\\missing.txt\r\nend\r\nENV_END\r\n")},
            {"worlds.txt", bytesOf("world world\nenv deep\nobjects scripts\\planets.txt\nend\n"
                                   "world moons\nenv empty\nobjects scripts\\moons.txt\nobjects scripts\\sky.txt\n"
                                   "system\nscenedir scenes\\moons\nend\nWORLD_END\n")},
            {"scripts\\sky.txt", bytesOf(script(1))},
            {"scripts\\glow.txt", bytesOf(script(2))},
            {"scripts\\planets.txt", bytesOf(script(3))},
            {"scripts\\moons.txt", bytesOf(script(4))},
        };
        std::vector<std::uint8_t> archive;
        ASSERT_TRUE(tarnel::rar::writeStoredArchive(entries, archive, nullptr));
        tarnel::test::writeBytes(dir.path() / "data.sdd", archive);
        tarnel::packageSource().path = (dir.path() / "data.sdd").string();
        tarnel::packageSource().password.clear();
        tarnel::setLoadingTickHandler([this] { ++ticks; });
    }

    void TearDown() override {
        tarnel::setLoadingTickHandler(nullptr);
        tarnel::packageSource() = saved;
    }

    static std::string script(int blocks) {
        std::string text;
        for (int i = 0; i < blocks; ++i) text += "sphere\nbegin s" + std::to_string(i) + "\nradius 1\nend\n";
        return text + "ENDWORLD\n";
    }

    tarnel::test::TempDir dir{"script"};
    tarnel::PackageSource saved;
    int ticks = 0;
};

}  // namespace

TEST_F(PackageSceneTest, EnvironmentsReadTheirPassScriptsFromThePackage) {
    tarnel::EnvironmentList environments;
    tarnel::loadEnvironments(environments, "env.txt");
    ASSERT_EQ(environments.size(), 2u);
    EXPECT_STREQ(environments.front()->name, "deep");
    EXPECT_STREQ(environments.back()->name, "empty");
    EXPECT_EQ(ticks, 1 + 2);  // sky and glow (named in other letter case and with "/"); missing.txt reads as empty
}

TEST_F(PackageSceneTest, WorldsReadTheirObjectScriptsFromThePackageInLineOrder) {
    tarnel::EnvironmentList environments;
    tarnel::loadEnvironments(environments, "ENV.TXT");
    ticks = 0;
    tarnel::WorldList worlds;
    tarnel::loadWorlds(worlds, environments, "worlds.txt");
    ASSERT_EQ(worlds.size(), 2u);
    EXPECT_EQ(ticks, 3 + 4 + 1);
    tarnel::World* world = tarnel::findWorld(worlds, "world");
    ASSERT_NE(world, nullptr);
    EXPECT_EQ(world->firstpass, &tarnel::findEnvironment(environments, "deep")->firstpass);
    EXPECT_FALSE(world->system);
    tarnel::World* moons = tarnel::findWorld(worlds, "moons");
    ASSERT_NE(moons, nullptr);
    EXPECT_TRUE(moons->system);
    EXPECT_STREQ(moons->scenedir, "scenes\\moons");
    EXPECT_EQ(moons->postpass, &tarnel::findEnvironment(environments, "empty")->postpass);
}

TEST_F(PackageSceneTest, MissingMembersReadAsEmptyScripts) {
    tarnel::EnvironmentList environments;
    tarnel::loadEnvironments(environments, "nothing.txt");
    tarnel::WorldList worlds;
    tarnel::loadWorlds(worlds, environments, "nothing.txt");
    tarnel::ObjectList objects;
    tarnel::loadObjectScript(objects, "nothing.txt");
    EXPECT_TRUE(environments.empty());
    EXPECT_TRUE(worlds.empty());
    EXPECT_TRUE(objects.empty());
    EXPECT_EQ(ticks, 0);

    tarnel::packageSource().path = (dir.path() / "absent.sdd").string();
    tarnel::loadEnvironments(environments, "env.txt");
    EXPECT_TRUE(environments.empty());
}
