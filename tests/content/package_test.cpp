// The package as a whole: member names, size budget, and that generation is deterministic.
#include <gtest/gtest.h>

#include <set>

#include "tests/content/package_fixture.h"

using namespace content_test;

TEST(DefaultPackage, HoldsTheFixedMembersTheEngineOpens) {
    for (const char* name : {"texture.txt", "env.txt", "worlds.txt", "music.ogg", "meshes\\sphere.dat",
                             "meshes\\env.dat", "textures\\c.jpg", "textures\\load.jpg", "textures\\sign.jpg"})
        EXPECT_NE(findMember(generatedPackage(), name), nullptr) << name;
}

TEST(DefaultPackage, StaysUnderTwentyMegabytes) {
    size_t total = 0;
    for (const content::Member& m : generatedPackage().members) total += m.bytes.size();
    EXPECT_LT(total, 20u * 1024 * 1024);
}

TEST(DefaultPackage, MemberNamesUseBackslashesAndAreUnique) {
    std::set<std::string> seen;
    for (const content::Member& m : generatedPackage().members) {
        EXPECT_EQ(m.name.find('/'), std::string::npos) << m.name;
        EXPECT_TRUE(seen.insert(m.name).second) << m.name;
        EXPECT_FALSE(m.bytes.empty()) << m.name;
    }
}

TEST(DefaultPackage, TwoRunsWriteIdenticalBytes) {
    content::Package again = content::buildPackage(TARNEL_CONTENT_SCRIPTS);
    const content::Package& first = generatedPackage();
    ASSERT_EQ(again.members.size(), first.members.size());
    for (size_t i = 0; i < first.members.size(); ++i) {
        EXPECT_EQ(again.members[i].name, first.members[i].name);
        EXPECT_TRUE(again.members[i].bytes == first.members[i].bytes) << first.members[i].name;
    }
}
