// The object-script reader with billboard and flare blocks: every keyword in table order,
// the prefix rules, the anchor written by several lines, parent lookups, the flare's width
// scaling, its lens block and the end-of-block fade reset.
#include "assets/texture_table.h"
#include "scene/billboard.h"
#include "gfx/overlay.h"
#include "scene/flare.h"
#include "scene/sphere.h"
#include "script/object_script.h"
#include "tests/script/script_shelf.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <iterator>
#include <memory>
#include <string>
#include <tuple>

namespace tarnel {
namespace {

// The objects outlive the test, as in a run.
const ObjectList& readScript(const std::string& text) {
    static std::deque<ObjectList> targets;
    targets.emplace_back();
    MemoryFile file;
    test::openText(file, "objects.txt", text);
    readObjectScript(targets.back(), file);
    return targets.back();
}

template <class Kind>
Kind* only(const std::string& text) {
    const ObjectList& list = readScript(text);
    EXPECT_EQ(list.size(), 1u);
    return list.empty() ? nullptr : dynamic_cast<Kind*>(list.front());
}

void expectVector(Vector3 v, float x, float y, float z) {
    EXPECT_FLOAT_EQ(v.x, x);
    EXPECT_FLOAT_EQ(v.y, y);
    EXPECT_FLOAT_EQ(v.z, z);
}

// The screen size is read at every size line; tests that change it put it back.
class DisplaySize {
public:
    DisplaySize(int width, int height) : saved(gfx::screenSize()) { gfx::screenSize() = gfx::ScreenSize{width, height}; }
    ~DisplaySize() { gfx::screenSize() = saved; }

private:
    gfx::ScreenSize saved;
};

// Entries the lens lines can find in the process-wide table, each with its own GL number.
void addTexture(const char* path, std::uint32_t glTexture) {
    if (findTexture(textureTable(), path) != nullptr) return;
    auto entry = std::make_unique<TextureEntry>();
    std::snprintf(entry->path, sizeof entry->path, "%s", path);
    entry->glTexture = glTexture;
    textureTable().entries.push_back(std::move(entry));
}

TEST(BillboardBlock, EveryKeywordSetsItsField) {
    auto* b = only<Billboard>(
        "billboard\nbegin ignored words\n"
        "size 7\nrotation 10 0.5\ntiling 3\nFOV 0.2\nalpha 0.4\nblend\ndepth\n"
        "flash 0.5 1 2)\ntexture textures\\nowhere.jpg\nup V(0 2 0)\nright V(0 0 -4)\n"
        "position V(1 2 3)\ncolor V(0.5 0.25 1)\nxy 2\nend\n");
    ASSERT_NE(b, nullptr);
    EXPECT_FLOAT_EQ(b->size, 7.0f);
    EXPECT_FLOAT_EQ(b->rotation, 10.0f);
    EXPECT_FLOAT_EQ(b->rotationSpeed, 30.0f);  // per frame at 60 frames a second
    EXPECT_FLOAT_EQ(b->tiling, 3.0f);
    EXPECT_FLOAT_EQ(b->FOV, 0.2f);
    EXPECT_FLOAT_EQ(b->alpha, 0.4f);
    EXPECT_TRUE(b->blend && b->depth && b->flash);
    EXPECT_FALSE(b->sys || b->env || b->oreol || b->orientOff);
    EXPECT_FLOAT_EQ(b->flashTime, 0.5f);
    EXPECT_FLOAT_EQ(b->flashHidden, 1.0f);
    EXPECT_FLOAT_EQ(b->flashShown, 2.0f);
    EXPECT_TRUE(b->hasTexture);  // even for a path the table does not hold
    expectVector(b->up, 0, 1, 0);
    expectVector(b->right, 0, 0, -1);
    expectVector(b->position, 1, 2, 3);
    expectVector(b->color, 0.5f, 0.25f, 1);
    EXPECT_FLOAT_EQ(b->xy, 2.0f);
    EXPECT_STREQ(b->name, "");
}

TEST(BillboardBlock, OrientOffMatchesAsAPrefixButOrientAloneDoesNothing) {
    EXPECT_TRUE(only<Billboard>("billboard\nbegin\norient offset\nend\n")->orientOff);
    EXPECT_FALSE(only<Billboard>("billboard\nbegin\norient\norient V(1 0 0)\nend\n")->orientOff);
}

TEST(BillboardBlock, TheLastOfParentEnvAndOreolLinesSetsTheAnchor) {
    const ObjectList& list = readScript(
        "sphere\nbegin sun\nend\n"
        "billboard\nbegin\nparent sun V(1 2 3)\nenv V(4 5 6)\noreol V(7 8 9) 50\nend\n"
        "billboard\nbegin\noreol V(7 8 9) 50\nparent sun V(1 2 3)\nend\n");
    ASSERT_EQ(list.size(), 3u);
    auto* first = dynamic_cast<Billboard*>(*std::next(list.begin()));
    auto* second = dynamic_cast<Billboard*>(list.back());
    EXPECT_TRUE(first->env && first->oreol);
    EXPECT_EQ(first->parent, list.front());
    expectVector(first->anchor, 7, 8, 9);
    EXPECT_FLOAT_EQ(first->oreolRadius, 50.0f);
    expectVector(second->anchor, 1, 2, 3);
    EXPECT_FALSE(second->parentNotFound);
}

TEST(BillboardBlock, ParentNamedNowhereEarlierLeavesItUnplaceable) {
    const ObjectList& list = readScript(
        "billboard\nbegin\nsys\nparent later V(0 10 0)\nend\n"
        "sphere\nbegin later\nend\n");
    auto* b = dynamic_cast<Billboard*>(list.front());
    EXPECT_EQ(b->parent, nullptr);
    EXPECT_TRUE(b->parentNotFound);
    EXPECT_TRUE(b->sys);
    expectVector(b->anchor, 0, 10, 0);
}

TEST(BillboardBlock, ZeroAxesAndUnscannableValuesKeepWhatTheFieldsHeld) {
    auto* b = only<Billboard>("billboard\nbegin\nup V(0 0 0)\nright V(x 1 0)\nsize big\nrotation 5\nend\n");
    expectVector(b->up, 0, 1, 0);
    expectVector(b->right, 1, 0, 0);
    EXPECT_FLOAT_EQ(b->size, 5.0f);
    EXPECT_FLOAT_EQ(b->rotation, 5.0f);
    EXPECT_GE(b->rotationSpeed, -60.0f);  // the random start speed stays
    EXPECT_LE(b->rotationSpeed, 60.0f);
}

TEST(FlareBlock, AlphaLineSetsTheRatesWhileTheEndOfTheBlockDarkensIt) {
    auto* f = only<Flare>("flare\nbegin\nalpha 1 fade: 0.1 0.05\nend\n");
    EXPECT_FLOAT_EQ(f->fadeIn, 6.0f);
    EXPECT_FLOAT_EQ(f->fadeOut, 3.0f);
    EXPECT_EQ(f->fade, 0.0f);
}

// Sizes keep their share of the picture's height: on a 4:3 display that is the width over
// 800 as well, and a wide display draws them as large as a 4:3 one of its height.
TEST(FlareBlock, SizesAreScaledFromAPictureOf800By600Pixels) {
    for (auto [width, height, size] : {std::tuple{1600, 1200, 40.0f}, std::tuple{1920, 1080, 36.0f},
                                       std::tuple{1440, 1080, 36.0f}, std::tuple{1280, 1024, 34.133333f}}) {
        DisplaySize display(width, height);
        auto* f = only<Flare>("flare\nbegin\nsize 20\nend\n");
        EXPECT_FLOAT_EQ(f->size, size) << width << "x" << height;
    }
}

TEST(FlareBlock, EveryKeywordSetsItsField) {
    auto* f = only<Flare>(
        "flare\nbegin\nflash 2)\nlumin 0.5)\nfocus 0.9)\nFOV 0.3\nenv V(0 0 -1)\n"
        "texture textures\\nowhere.tga\nposition V(4 5 6)\nrotation 30 0.2\nxy 1.5\n"
        "orient V(100 200 0)\nend\n");
    EXPECT_FLOAT_EQ(f->flash, 2.0f);
    EXPECT_FLOAT_EQ(f->lumin, 0.5f);
    EXPECT_TRUE(f->focusOn);
    EXPECT_FLOAT_EQ(f->focus, 0.9f);
    EXPECT_FLOAT_EQ(f->FOV, 0.3f);
    EXPECT_TRUE(f->env);
    expectVector(f->anchor, 0, 0, -1);
    EXPECT_TRUE(f->hasTexture);
    EXPECT_TRUE(f->alphaTexture);
    expectVector(f->position, 4, 5, 6);
    EXPECT_FLOAT_EQ(f->rotation, 30.0f);
    EXPECT_FLOAT_EQ(f->rotationSpeed, 12.0f);
    EXPECT_FLOAT_EQ(f->xy, 1.5f);
    EXPECT_TRUE(f->orient);
    expectVector(f->orientVector, 100, 200, 0);
    EXPECT_FALSE(f->lenseffect);
}

TEST(FlareBlock, LensBlockTakesTheNextFourLinesWithoutTestingThemAsKeywords) {
    addTexture("textures\\lens0.jpg", 70);
    addTexture("textures\\lens1.jpg", 71);
    addTexture("textures\\lens2.tga", 72);
    DisplaySize display(1600, 1200);
    auto* f = only<Flare>(
        "flare\nbegin\nlenseffect\nsize 6\n   texture textures\\lens0.jpg\n"
        "\ttexture textures\\lens1.jpg\ntexture textures\\lens2.tga\nrotation 1 1\nend\n");
    EXPECT_TRUE(f->lenseffect);
    EXPECT_FLOAT_EQ(f->lensSize, 12.0f);
    EXPECT_FLOAT_EQ(f->size, 10.0f);  // the lens's size line is not the sprite's
    EXPECT_EQ(f->lensTextures[0], 70u);
    EXPECT_EQ(f->lensTextures[1], 71u);
    EXPECT_EQ(f->lensTextures[2], 72u);
    EXPECT_TRUE(f->alphaTexture);
    EXPECT_FALSE(f->hasTexture);  // the lens lines are no "texture" keywords
    EXPECT_FLOAT_EQ(f->rotation, 1.0f);
}

TEST(FlareBlock, LensLinesThatDoNotScanOrNameNothingLeaveTheirSlots) {
    auto* f = only<Flare>("flare\nbegin\nlenseffect\nsize\ntexture textures\\absent.jpg\n\nrotation 3 3\nend\n");
    EXPECT_TRUE(f->lenseffect);
    EXPECT_FLOAT_EQ(f->lensSize, 5.0f);
    EXPECT_EQ(f->lensTextures[0] + f->lensTextures[1] + f->lensTextures[2], 0u);
    EXPECT_FLOAT_EQ(f->rotation, 0.0f);  // a lens line, not a rotation line
}

TEST(FlareBlock, ParentLinesFindEarlierSpheresOrMarkTheFlareUnplaceable) {
    const ObjectList& list = readScript(
        "sphere\nbegin ship\nend\n"
        "flare\nbegin\nparent ship V(1 2 3)\nend\n"
        "flare\nbegin\nparent wreck V(1 2 3)\nend\n");
    ASSERT_EQ(list.size(), 3u);
    auto* found = dynamic_cast<Flare*>(*std::next(list.begin()));
    auto* lost = dynamic_cast<Flare*>(list.back());
    EXPECT_EQ(found->parent, list.front());
    EXPECT_FALSE(found->parentNotFound);
    expectVector(found->anchor, 1, 2, 3);
    EXPECT_EQ(lost->parent, nullptr);
    EXPECT_TRUE(lost->parentNotFound);
}

TEST(SpriteBlocks, KindsJoinTheListInDefinitionOrderAndUnfinishedBlocksStopAtTheEnd) {
    const ObjectList& list = readScript(
        "flare\nbegin\nend\nbillboard\nbegin\nend\nsphere\nbegin s\nend\n"
        "billboard\nbegin\nsize 3\n");
    ASSERT_EQ(list.size(), 4u);
    auto it = list.begin();
    EXPECT_NE(dynamic_cast<Flare*>(*it++), nullptr);
    EXPECT_NE(dynamic_cast<Billboard*>(*it++), nullptr);
    EXPECT_NE(dynamic_cast<Sphere*>(*it++), nullptr);
    auto* last = dynamic_cast<Billboard*>(*it);
    ASSERT_NE(last, nullptr);
    EXPECT_FLOAT_EQ(last->size, 3.0f);
    EXPECT_TRUE(readScript("flare\nlenseffect\n").empty());  // no "begin": nothing defined
    EXPECT_EQ(readScript("flare\nbegin\nlenseffect\nsize 2\n").size(), 1u);
}

}  // namespace
}  // namespace tarnel
