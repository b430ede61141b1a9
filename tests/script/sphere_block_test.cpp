// The object-script reader with sphere blocks: the carried-over state of one script, names,
// parents, the position rule, texture alpha and "geometry" lines.
#include "assets/loading_tick.h"
#include "assets/mesh_lists.h"
#include "platform/offscreen_gl.h"
#include "scene/sphere.h"
#include "script/object_script.h"
#include "tests/script/script_shelf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarnel {
namespace {

std::vector<Sphere*> readSpheres(const std::string& text, ObjectList& target,
                                 const MemberOpener& openMember = openPackageMember) {
    MemoryFile file;
    test::openText(file, "objects.txt", text);
    readObjectScript(target, file, openMember);
    std::vector<Sphere*> spheres;
    for (SceneObject* object : target) spheres.push_back(dynamic_cast<Sphere*>(object));
    return spheres;
}

std::vector<Sphere*> readSpheres(const std::string& text) {
    static std::vector<ObjectList> targets;  // the objects outlive the test, as in a run
    targets.emplace_back();
    return readSpheres(text, targets.back());
}

std::string repeated(const std::string& block, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) text += block;
    return text;
}

TEST(SphereBlock, FlashLayersOfOneScriptAreStaggeredByQuarterSeconds) {
    auto spheres = readSpheres(repeated("sphere\nbegin\nflash\nend\n", 4));
    ASSERT_EQ(spheres.size(), 4u);
    const float timers[] = {0.0f, 0.25f, 0.0f, 0.25f};
    const bool on[] = {true, true, false, false};
    for (int i = 0; i < 4; ++i) {
        SCOPED_TRACE(i);
        EXPECT_FLOAT_EQ(spheres[i]->flashTimer, timers[i]);
        EXPECT_EQ(spheres[i]->flashOn, on[i]);
        EXPECT_EQ(spheres[i]->flashPeriod, 0.5f);
        EXPECT_TRUE(spheres[i]->flash);
    }
    auto next = readSpheres("sphere\nbegin\nflash\nend\n");
    EXPECT_TRUE(next[0]->flashOn) << "every script starts its phase at 0";
    EXPECT_EQ(next[0]->flashTimer, 0.0f);
}

TEST(SphereBlock, MoonsOfOneScriptSlowDownByAQuarterEach) {
    auto spheres = readSpheres("sphere\nbegin a\nmoon\nend\nsphere\nbegin b\nend\nsphere\nbegin c\nmoon\nend\n");
    EXPECT_FLOAT_EQ(spheres[0]->moonSpeed, 2.0f);
    EXPECT_FALSE(spheres[1]->moon);
    EXPECT_FLOAT_EQ(spheres[1]->moonSpeed, 0.5f);
    EXPECT_FLOAT_EQ(spheres[2]->moonSpeed, 1.5f);
    auto next = readSpheres("sphere\nbegin\nmoon\nend\n");
    EXPECT_FLOAT_EQ(next[0]->moonSpeed, 2.0f);
}

TEST(SphereBlock, AlphaTextureCarriesToTheNextSphereBeforeItsOwnTextureLine) {
    auto spheres = readSpheres(
        "sphere\nbegin a\ntexture textures\\ring.tga\nend\n"
        "sphere\nbegin b\nradius 2\nend\n"
        "sphere\nbegin c\ntexture textures\\rock.jpg\nend\n"
        "sphere\nbegin d\nend\n"
        "sphere\nbegin e\ntexture textures\\ring.tga\natmo\nend\n"
        "sphere\nbegin f\nend\n");
    EXPECT_TRUE(spheres[0]->alphaTexture && spheres[0]->hasTexture);
    EXPECT_TRUE(spheres[1]->alphaTexture);
    EXPECT_FALSE(spheres[1]->hasTexture);
    EXPECT_FALSE(spheres[2]->alphaTexture);
    EXPECT_FALSE(spheres[3]->alphaTexture);
    EXPECT_FALSE(spheres[4]->alphaTexture) << "atmo clears it after the texture line";
    EXPECT_TRUE(spheres[5]->alphaTexture) << "the texture line, not the sphere's end state, carries";
    auto next = readSpheres("sphere\nbegin\nend\n");
    EXPECT_FALSE(next[0]->alphaTexture);
}

TEST(SphereBlock, PositionXIsStored2000NearerUnlessOrbitComesFirst) {
    auto spheres = readSpheres(
        "sphere\nbegin a\nposition V(2500 10 -20)\nend\n"
        "sphere\nbegin b\norbit\nposition V(2500 10 -20)\nend\n"
        "sphere\nbegin c\nposition V(2500 10 -20)\norbit\nend\n"
        "sphere\nbegin d\nposition V(2500 10 -20)\nposition 1 2 3\nposition\nend\n");
    EXPECT_FLOAT_EQ(spheres[0]->position.x, 500.0f);
    EXPECT_FLOAT_EQ(spheres[0]->initialPosition.x, 500.0f);
    EXPECT_FLOAT_EQ(spheres[0]->initialPosition.z, -20.0f);
    EXPECT_FLOAT_EQ(spheres[1]->initialPosition.x, 2500.0f);
    EXPECT_FLOAT_EQ(spheres[2]->initialPosition.x, 500.0f);
    EXPECT_FALSE(spheres[2]->systemOrbit);
    EXPECT_FLOAT_EQ(spheres[3]->position.x, 500.0f) << "lines that do not scan leave it alone";
    EXPECT_FLOAT_EQ(spheres[3]->initialPosition.x, 500.0f);
}

TEST(SphereBlock, OrientLinesSetTheTiltOnlyWhenTheirValuesScan) {
    auto spheres = readSpheres(
        "sphere\nbegin a\norient off\norient\norientation V(0 0 1) 5\nend\n"
        "sphere\nbegin b\norient V(0 0 1) 23.5\nend\n");
    EXPECT_FLOAT_EQ(spheres[0]->orientAngle, 90.0f);
    EXPECT_FLOAT_EQ(spheres[0]->orientAxis.x, 1.0f);
    EXPECT_FLOAT_EQ(spheres[1]->orientAngle, 23.5f);
    EXPECT_FLOAT_EQ(spheres[1]->orientAxis.z, 1.0f);
    EXPECT_FLOAT_EQ(spheres[1]->orientAxis.x, 0.0f);
}

TEST(SphereBlock, KeywordsMatchByPrefixInTableOrder) {
    auto spheres = readSpheres(
        "sphere\nbegin sky\nenv\nrotation V(0 0 1) 10 3\nFOV 2\nalpha 0.5\nlightning\nsystem\nend\n"
        "sphere\nbegin spin\nrotation V(0 0 1) 10 3\nenvelope\nend\n");
    Sphere& sky = *spheres[0];
    EXPECT_TRUE(sky.env);
    EXPECT_FLOAT_EQ(sky.rotationSpeed, 3.0f) << "a later rotation line overrides env";
    EXPECT_FLOAT_EQ(sky.rotationAngle, 10.0f);
    EXPECT_FLOAT_EQ(sky.FOV, 2.0f);
    EXPECT_FLOAT_EQ(sky.alpha, 0.5f);
    EXPECT_TRUE(sky.light);
    EXPECT_TRUE(sky.sys);
    EXPECT_EQ(spheres[1]->rotationSpeed, 0.0f) << "env, even as a prefix, stops the spin";
    EXPECT_TRUE(spheres[1]->env);
}

TEST(SphereBlock, NamesAreCutToFourteenCharactersAndBlankNamesStayEmpty) {
    auto spheres = readSpheres(
        "sphere\nbegin abcdefghijklmnopqrstu\nend\n"
        "sphere\nbegin    \nend\n"
        "sphere\nbegin\nend\n"
        "sphere\nbeginner\nend\n");
    EXPECT_STREQ(spheres[0]->name, "abcdefghijklmn");
    EXPECT_STREQ(spheres[1]->name, "");
    EXPECT_STREQ(spheres[2]->name, "");
    EXPECT_STREQ(spheres[3]->name, "ner") << "as with sscanf, the space in \"begin %s\" may match none";
}

TEST(SphereBlock, ParentIsTheFirstEarlierSphereOfTheSameListWithThatName) {
    ObjectList target;
    auto spheres = readSpheres(
        "sphere\nbegin earth\nend\n"
        "sphere\nbegin earth\nend\n"
        "sphere\nbegin moon\nparent earth\nsys\nend\n"
        "sphere\nbegin lost\nparent mars\nend\n"
        "sphere\nbegin early\nparent late\nend\n"
        "sphere\nbegin late\nend\n"
        "sphere\nbegin abcdefghijklmnopq\nend\n"
        "sphere\nbegin child\nparent abcdefghijklmnopq\nend\n",
        target);
    EXPECT_EQ(spheres[2]->parent, spheres[0]);
    EXPECT_EQ(spheres[3]->parent, nullptr);
    EXPECT_EQ(spheres[4]->parent, nullptr) << "only earlier objects can be parents";
    EXPECT_EQ(spheres[7]->parent, spheres[6]) << "long names are compared as cut";
    ObjectList other;
    auto elsewhere = readSpheres("sphere\nbegin moon\nparent earth\nend\n", other);
    EXPECT_EQ(elsewhere[0]->parent, nullptr);
}

TEST(SphereBlock, ShellsAndListsSelectTheirDisplayLists) {
    FixedMeshLists& lists = fixedMeshLists();
    FixedMeshLists saved = lists;
    lists.sphereList = 11;
    lists.envList = 12;
    lists.noisedSphereList = 13;
    lists.atmoList = 14;
    lists.scatterList = 15;
    lists.geometryList = 16;
    auto spheres = readSpheres(
        "sphere\nbegin\nend\nsphere\nbegin\nenv\nend\nsphere\nbegin\nnoised\nend\n"
        "sphere\nbegin\natmo\nend\nsphere\nbegin\nscatter\nend\nsphere\nbegin\nlist\nend\n"
        "sphere\nbegin\nenv\ngeo\nend\n");
    lists = saved;
    const std::uint32_t expected[] = {11, 12, 13, 14, 15, 16, 11};
    for (int i = 0; i < 7; ++i) EXPECT_EQ(spheres[i]->displayList, expected[i]) << i;
    EXPECT_TRUE(spheres[3]->atmo && spheres[4]->atmo);
}

TEST(SphereBlock, BlockWithoutEndStopsAtTheEndOfTheData) {
    auto spheres = readSpheres("sphere\nbegin last\nradius 9\ncolor V(0.5 0.25 1)");
    ASSERT_EQ(spheres.size(), 1u);
    EXPECT_FLOAT_EQ(spheres[0]->radius, 9.0f);
    EXPECT_FLOAT_EQ(spheres[0]->color.y, 0.25f);
    EXPECT_TRUE(readSpheres("sphere\nradius 2\n").empty()) << "no begin, no sphere";
}

TEST(SphereBlock, GeometryLinesChangeOnlyTheListSpheresAfterThem) {
    auto gl = platform::OffscreenGl::create(8, 8);
    ASSERT_TRUE(gl);
    std::vector<std::string> opened;
    MemberOpener opener = [&opened](MemoryFile& file, const char* name) {
        opened.emplace_back(name);
        file.openBytes(name, {});
        return 1;
    };
    int ticks = 0;
    setLoadingTickHandler([&ticks] { ++ticks; });
    ObjectList target;
    auto spheres = readSpheres(
        "geometry meshes\\ship.dat\n"
        "sphere\nbegin a\nlist\nend\n"
        "geometry meshes\\station.dat\n"
        "sphere\nbegin b\nlist\nend\n",
        target, opener);
    ObjectList later;
    auto next = readSpheres("sphere\nbegin c\nlist\nend\n", later, opener);
    setLoadingTickHandler(nullptr);
    const std::vector<std::string> members = {"meshes\\ship.dat", "meshes\\station.dat"};
    EXPECT_EQ(opened, members);
    EXPECT_EQ(ticks, 5);
    EXPECT_NE(spheres[0]->displayList, 0u);
    EXPECT_NE(spheres[0]->displayList, spheres[1]->displayList);
    EXPECT_EQ(spheres[1]->displayList, fixedMeshLists().geometryList);
    EXPECT_EQ(next[0]->displayList, spheres[1]->displayList) << "the model outlives its script";
}

}  // namespace
}  // namespace tarnel
