// The scripts of the default package refer only to members that exist: textures listed in
// "texture.txt" and present, object scripts, mesh files; and "worlds.txt" holds "world".
#include <gtest/gtest.h>

#include <set>

#include "tests/content/package_fixture.h"

using namespace content_test;

namespace {

std::set<std::string> listedTextures() {
    std::set<std::string> names;
    for (const std::string& line : memberLines(*findMember(generatedPackage(), "texture.txt"))) {
        if (line.rfind("END_TEXT", 0) == 0) break;
        names.insert(wordAfter(line, ""));
    }
    return names;
}

std::vector<std::string> objectScripts() {
    std::vector<std::string> names;
    for (const char* file : {"env.txt", "worlds.txt"})
        for (const std::string& line : memberLines(*findMember(generatedPackage(), file)))
            for (const char* key : {"firstpass", "postpass", "objects"})
                if (!wordAfter(line, key).empty()) names.push_back(wordAfter(line, key));
    return names;
}

}  // namespace

TEST(DefaultScripts, TextureListHasNoBlankOrOverlongLinesAndEndsWithTerminator) {
    std::vector<std::string> lines = memberLines(*findMember(generatedPackage(), "texture.txt"));
    ASSERT_FALSE(lines.empty());
    bool ended = false;
    for (const std::string& line : lines) {
        if (line.rfind("END_TEXT", 0) == 0) {
            ended = true;
            break;
        }
        EXPECT_FALSE(line.empty()) << "every line before END_TEXT makes an entry";
        EXPECT_LE(line.size(), 22u) << line;  // "textures\" + name must fit 31 characters
    }
    EXPECT_TRUE(ended);
}

TEST(DefaultScripts, TextureListMatchesTheTextureMembersExactly) {
    std::set<std::string> members;
    for (const content::Member& m : generatedPackage().members)
        if (m.name.rfind("textures\\", 0) == 0) members.insert(m.name.substr(9));
    EXPECT_EQ(listedTextures(), members);
}

TEST(DefaultScripts, EveryTextureAScriptNamesIsListed) {
    std::set<std::string> listed = listedTextures();
    int named = 0;
    for (const std::string& script : objectScripts()) {
        const content::Member* m = findMember(generatedPackage(), script);
        ASSERT_NE(m, nullptr) << script;
        for (const std::string& line : memberLines(*m))
            for (const char* key : {"texture", "\ttexture", "\tmap1", "\tmap2"}) {
                std::string word = wordAfter(line, key);
                if (word.empty()) continue;
                ++named;
                ASSERT_EQ(word.rfind("textures\\", 0), 0u) << line;
                EXPECT_EQ(listed.count(word.substr(9)), 1u) << script << ": " << line;
            }
    }
    EXPECT_GT(named, 20);
}

TEST(DefaultScripts, WorldsAndEnvironmentsNameExistingMembers) {
    const content::Package& pkg = generatedPackage();
    std::vector<std::string> scripts = objectScripts();
    EXPECT_GE(scripts.size(), 4u);
    for (const std::string& s : scripts) EXPECT_NE(findMember(pkg, s), nullptr) << s;
    for (const std::string& s : scripts)
        for (const std::string& line : memberLines(*findMember(pkg, s))) {
            std::string mesh = wordAfter(line, "geometry");
            if (!mesh.empty()) {
                EXPECT_NE(findMember(pkg, mesh), nullptr) << mesh;
            }
        }
    bool world = false, env = false;
    for (const std::string& line : memberLines(*findMember(pkg, "worlds.txt"))) {
        world |= wordAfter(line, "world") == "world";
        if (!wordAfter(line, "env").empty()) env = wordAfter(line, "env") == "space";
    }
    EXPECT_TRUE(world);
    EXPECT_TRUE(env);
}

// Lines inside a block are matched by prefix; a comment must therefore stay between blocks,
// and a block must close before the file's terminator.
TEST(DefaultScripts, ObjectScriptsCloseEveryBlockAndEndWithTerminator) {
    const std::vector<std::string> openers = {"sphere", "billboard", "flare", "mesh", "flame", "ps"};
    for (const std::string& s : objectScripts()) {
        bool inBlock = false, terminated = false;
        int blocks = 0;
        for (std::string line : memberLines(*findMember(generatedPackage(), s))) {
            line.erase(0, line.find_first_not_of(' '));
            if (inBlock) {
                if (line.rfind("end", 0) == 0) inBlock = false;
                continue;
            }
            if (line.rfind("ENDWORLD", 0) == 0) {
                terminated = true;
                break;
            }
            for (const std::string& o : openers)
                if (line.rfind(o, 0) == 0) {
                    inBlock = true;
                    ++blocks;
                    break;
                }
        }
        EXPECT_FALSE(inBlock) << s;
        EXPECT_TRUE(terminated) << s;
        EXPECT_GT(blocks, 0) << s;
    }
}

TEST(DefaultScripts, SceneUsesEveryKindAndFeature) {
    std::string all;
    for (const std::string& s : objectScripts())
        for (std::string line : memberLines(*findMember(generatedPackage(), s))) {
            line.erase(0, line.find_first_not_of(' '));
            all += "\n" + line;
        }
    for (const char* needle :
         {"\nsphere", "\nbillboard", "\nflare", "\nmesh", "\nflame", "\nps", "\nenv\n", "\natmo",
          "\nscatter", "\nflash\n", "\nrnd", "\nmask", "\nmoon", "\nsys", "\nspecular", "\nlist",
          "\nnoised", "\nenv V(", "\noreol V(", "\nparent ", "\nflash 0", "\nlenseffect", "\nfocus",
          "\n\tmetal", "\nblend", "\nline", "\ncirc", "\ngeometry", "clouds.tga"})
        EXPECT_NE(all.find(needle), std::string::npos) << "missing: " << needle;
}
