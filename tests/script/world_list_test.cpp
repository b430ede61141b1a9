#include "script/world.h"

#include "tests/script/script_shelf.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using tarnel::EnvironmentList;
using tarnel::MemoryFile;
using tarnel::World;
using tarnel::WorldList;
using tarnel::test::ScriptShelf;

using Labels = std::vector<std::string>;

namespace {

// Environments "deep" (first pass sky.txt, post pass glow.txt) and "bare" (nothing).
class WorldListTest : public ::testing::Test {
protected:
    void SetUp() override {
        shelf.objectCounts = {{"sky.txt", 2}, {"glow.txt", 1}, {"planets.txt", 3}, {"moons.txt", 2}};
        MemoryFile file;
        tarnel::test::openText(file, "env.txt",
                               "env deep\nfirstpass sky.txt\npostpass glow.txt\nend\n"
                               "env bare\nend\nENV_END\n");
        tarnel::parseEnvironments(environments, file, shelf.loader());
        shelf.scriptsRead.clear();
    }

    WorldList read(const std::string& text) {
        MemoryFile file;
        tarnel::test::openText(file, "worlds.txt", text);
        WorldList worlds;
        tarnel::parseWorlds(worlds, environments, file, shelf.loader());
        return worlds;
    }

    ScriptShelf shelf;
    EnvironmentList environments;
};

}  // namespace

TEST_F(WorldListTest, FiveLineFileGivesOneWorldWithItsEnvironmentsListsAndObjects) {
    WorldList worlds = read("world world\nenv deep\nobjects planets.txt\nend\nWORLD_END\n");
    ASSERT_EQ(worlds.size(), 1u);
    World* world = tarnel::findWorld(worlds, "world");
    ASSERT_NE(world, nullptr);
    const tarnel::Environment* deep = tarnel::findEnvironment(environments, "deep");
    EXPECT_EQ(world->firstpass, &deep->firstpass);
    EXPECT_EQ(world->postpass, &deep->postpass);
    EXPECT_EQ(ScriptShelf::labelsOf(world->objects), (Labels{"planets.txt#0", "planets.txt#1", "planets.txt#2"}));
    EXPECT_FALSE(world->system);
    EXPECT_STREQ(world->scenedir, "");
}

TEST_F(WorldListTest, WorldsShareTheirEnvironmentsListsRatherThanCopies) {
    WorldList worlds = read("world a\nenv deep\nend\nworld b\nenv deep\nend\nWORLD_END\n");
    ASSERT_EQ(worlds.size(), 2u);
    tarnel::Environment* deep = tarnel::findEnvironment(environments, "deep");
    deep->postpass.push_back(nullptr);
    EXPECT_EQ(worlds.front()->postpass->size(), 2u);
    EXPECT_EQ(worlds.back()->postpass, worlds.front()->postpass);
}

TEST_F(WorldListTest, ObjectsLinesAccumulateInLineOrder) {
    WorldList worlds = read("world w\nobjects moons.txt\nobjects planets.txt\nend\nWORLD_END\n");
    ASSERT_EQ(worlds.size(), 1u);
    EXPECT_EQ(ScriptShelf::labelsOf(worlds.front()->objects),
              (Labels{"moons.txt#0", "moons.txt#1", "planets.txt#0", "planets.txt#1", "planets.txt#2"}));
    EXPECT_EQ(shelf.scriptsRead, (Labels{"moons.txt", "planets.txt"}));
}

TEST_F(WorldListTest, NoOrUnknownEnvironmentGivesEmptyPasses) {
    WorldList worlds = read("world none\nend\n"
                            "world lost\nenv nowhere\nend\n"
                            "world replaced\nenv deep\nenv bare\nend\n"
                            "world forgotten\nenv deep\nenv nowhere\nend\n"
                            "world kept\nenv deep\nenv\nend\nWORLD_END\n");
    ASSERT_EQ(worlds.size(), 5u);
    const tarnel::Environment* deep = tarnel::findEnvironment(environments, "deep");
    const tarnel::Environment* bare = tarnel::findEnvironment(environments, "bare");
    for (const char* name : {"none", "lost", "forgotten"}) {
        const World* world = tarnel::findWorld(worlds, name);
        ASSERT_NE(world, nullptr) << name;
        ASSERT_NE(world->firstpass, nullptr);
        ASSERT_NE(world->postpass, nullptr);
        EXPECT_TRUE(world->firstpass->empty()) << name;
        EXPECT_TRUE(world->postpass->empty()) << name;
    }
    EXPECT_EQ(tarnel::findWorld(worlds, "replaced")->firstpass, &bare->firstpass);
    EXPECT_EQ(tarnel::findWorld(worlds, "kept")->firstpass, &deep->firstpass);  // no name: no change
}

TEST_F(WorldListTest, SystemIsSetByAnyLineBeginningWithIt) {
    WorldList worlds = read("world plain\nend\n"
                            "world sol\nsystemic\nend\n"
                            "world tabbed\n\tsystem\nend\n"
                            "world indented\n    system\nend\nWORLD_END\n");
    EXPECT_FALSE(tarnel::findWorld(worlds, "plain")->system);
    EXPECT_TRUE(tarnel::findWorld(worlds, "sol")->system);
    EXPECT_FALSE(tarnel::findWorld(worlds, "tabbed")->system);   // the tab stays in the line
    EXPECT_TRUE(tarnel::findWorld(worlds, "indented")->system);  // leading spaces are dropped
}

TEST_F(WorldListTest, TerminatorFirstGivesNoWorldsAndLinesAfterItAreNeverRead) {
    EXPECT_TRUE(read("WORLD_END\nworld w\nobjects planets.txt\nend\n").empty());
    EXPECT_TRUE(shelf.scriptsRead.empty());
    WorldList worlds = read("world a\nend\nWORLD_END\nworld b\nend\n");
    ASSERT_EQ(worlds.size(), 1u);
    EXPECT_STREQ(worlds.front()->name, "a");
}

TEST_F(WorldListTest, BlockRulesHideTerminatorsAndOpenersInsideBlocks) {
    WorldList worlds = read("comment before\n"
                            "world outer\nWORLD_END\nworld inner\nobjects moons.txt\nend\n"
                            "world_END is not the terminator\nend\nWORLD_END\n");
    ASSERT_EQ(worlds.size(), 2u);
    EXPECT_STREQ(worlds.front()->name, "outer");
    EXPECT_EQ(worlds.front()->objects.size(), 2u);
    EXPECT_EQ(tarnel::findWorld(worlds, "inner"), nullptr);
    EXPECT_STREQ(worlds.back()->name, "_END");  // "world" matched in lower case opens a block
}

TEST_F(WorldListTest, FilesThatEndEarlyStopAtTheEndOfTheData) {
    EXPECT_TRUE(read("").empty());
    EXPECT_TRUE(read("just a comment").empty());
    WorldList open = read("world a\nend\nworld b\nobjects moons.txt");
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open.back()->objects.size(), 2u);
    WorldList unterminated = read("world a\r\nsystem\r\nend");
    ASSERT_EQ(unterminated.size(), 1u);
    EXPECT_TRUE(unterminated.front()->system);
}

TEST_F(WorldListTest, NamesAreCutToTheirFields) {
    std::string longName(40, 'n');
    std::string longDir(80, 'd');
    WorldList worlds = read("world " + longName + "\nscenedir " + longDir + "\nend\nworld\nend\nWORLD_END\n");
    ASSERT_EQ(worlds.size(), 2u);
    EXPECT_EQ(std::string(worlds.front()->name), longName.substr(0, World::kNameSize - 1));
    EXPECT_EQ(std::string(worlds.front()->scenedir), longDir.substr(0, World::kSceneDirSize - 1));
    EXPECT_STREQ(worlds.back()->name, " ");  // a "world" line without a name
}

TEST_F(WorldListTest, LongEnvironmentNamesAreCutAlikeOnBothSides) {
    std::string longName(30, 'e');
    MemoryFile file;
    tarnel::test::openText(file, "env.txt", "env " + longName + "\nfirstpass sky.txt\nend\nENV_END\n");
    tarnel::parseEnvironments(environments, file, shelf.loader());
    WorldList worlds = read("world w\nenv " + longName + "\nend\nWORLD_END\n");
    ASSERT_EQ(worlds.size(), 1u);
    EXPECT_EQ(worlds.front()->firstpass, &environments.back()->firstpass);
}

TEST_F(WorldListTest, FindWorldTakesTheFirstExactMatch) {
    WorldList worlds = read("world Alpha\nend\nworld alpha\nsystem\nend\nworld alpha\nend\nWORLD_END\n");
    EXPECT_EQ(tarnel::findWorld(worlds, "alpha"), std::next(worlds.begin())->get());
    EXPECT_EQ(tarnel::findWorld(worlds, "alp"), nullptr);
    EXPECT_EQ(tarnel::findWorld(worlds, "world"), nullptr);
    EXPECT_EQ(tarnel::findWorld(worlds, nullptr), nullptr);
}
