#include "script/environment.h"

#include "tests/script/script_shelf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using tarnel::EnvironmentList;
using tarnel::MemoryFile;
using tarnel::test::ScriptShelf;

using Labels = std::vector<std::string>;

namespace {

class EnvironmentListTest : public ::testing::Test {
protected:
    void SetUp() override { shelf.objectCounts = {{"sky.txt", 2}, {"stars.txt", 1}, {"glow.txt", 1}}; }

    EnvironmentList read(const std::string& text) {
        MemoryFile file;
        tarnel::test::openText(file, "env.txt", text);
        EnvironmentList environments;
        tarnel::parseEnvironments(environments, file, shelf.loader());
        return environments;
    }

    ScriptShelf shelf;
};

}  // namespace

TEST_F(EnvironmentListTest, PassLinesAccumulateInLineOrder) {
    EnvironmentList environments =
        read("env deep\nfirstpass sky.txt\npostpass glow.txt\nfirstpass stars.txt\nend\nENV_END\n");
    ASSERT_EQ(environments.size(), 1u);
    const tarnel::Environment& deep = *environments.front();
    EXPECT_STREQ(deep.name, "deep");
    EXPECT_EQ(ScriptShelf::labelsOf(deep.firstpass), (Labels{"sky.txt#0", "sky.txt#1", "stars.txt#0"}));
    EXPECT_EQ(ScriptShelf::labelsOf(deep.postpass), (Labels{"glow.txt#0"}));
    EXPECT_EQ(shelf.scriptsRead, (Labels{"sky.txt", "glow.txt", "stars.txt"}));
}

TEST_F(EnvironmentListTest, BlockWithoutPostpassLeavesItEmpty) {
    EnvironmentList environments = read("env a\nfirstpass sky.txt\nend\nENV_END\n");
    ASSERT_EQ(environments.size(), 1u);
    EXPECT_EQ(environments.front()->firstpass.size(), 2u);
    EXPECT_TRUE(environments.front()->postpass.empty());
}

TEST_F(EnvironmentListTest, TerminatorFirstGivesNoEnvironmentsAndLinesAfterItAreNeverRead) {
    EXPECT_TRUE(read("ENV_END\nenv a\nfirstpass sky.txt\nend\n").empty());
    EXPECT_TRUE(shelf.scriptsRead.empty());
}

TEST_F(EnvironmentListTest, KeywordsKeepTheirCaseAndBlocksHideTerminators) {
    EnvironmentList environments = read("Env upper\nend\n"
                                        "env a\nENV_END\nenv b\nFirstpass sky.txt\npostpass glow.txt\nend\n"
                                        "envoy\nend\nENV_END\n");
    ASSERT_EQ(environments.size(), 2u);
    EXPECT_STREQ(environments.front()->name, "a");
    EXPECT_TRUE(environments.front()->firstpass.empty());
    EXPECT_EQ(environments.front()->postpass.size(), 1u);
    EXPECT_STREQ(environments.back()->name, "oy");  // "env" is a prefix: "envoy" opens a block
}

TEST_F(EnvironmentListTest, FindEnvironmentTakesTheFirstOfTwoWithOneName) {
    EnvironmentList environments = read("env twin\nfirstpass sky.txt\nend\nenv twin\nend\nENV_END\n");
    ASSERT_EQ(environments.size(), 2u);
    EXPECT_EQ(tarnel::findEnvironment(environments, "twin"), environments.front().get());
    EXPECT_EQ(tarnel::findEnvironment(environments, "Twin"), nullptr);
    EXPECT_EQ(tarnel::findEnvironment(environments, nullptr), nullptr);
}

TEST_F(EnvironmentListTest, FilesThatEndEarlyStopAtTheEndOfTheData) {
    EXPECT_TRUE(read("").empty());
    EnvironmentList open = read("env a\nend\nenv b\nfirstpass sky.txt\n");
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(open.back()->firstpass.size(), 2u);
    EXPECT_EQ(read("env a\r\nend").size(), 1u);
}

TEST_F(EnvironmentListTest, NamesAreCutToTheirFieldAndUnscannedPassLinesReadNothing) {
    EnvironmentList environments = read("env " + std::string(30, 'x') + "\nfirstpass\npostpass   \nend\nENV_END\n");
    ASSERT_EQ(environments.size(), 1u);
    EXPECT_EQ(std::string(environments.front()->name), std::string(19, 'x'));
    EXPECT_TRUE(shelf.scriptsRead.empty());
}
