// The object-script reader with mesh, flame and ps blocks: the model a mesh takes, the
// material sub-block, the flame's size rule and the order rules of a particle system.
#include "assets/mesh_lists.h"
#include "platform/offscreen_gl.h"
#include "scene/flame.h"
#include "scene/mesh.h"
#include "scene/particle_system.h"
#include "script/object_script.h"
#include "tests/script/script_shelf.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

namespace tarnel {
namespace {

template <class Kind>
std::vector<Kind*> readKinds(const std::string& text, const MemberOpener& openMember = openPackageMember) {
    static std::deque<ObjectList> targets;  // the objects outlive the test, as in a run
    targets.emplace_back();
    MemoryFile file;
    test::openText(file, "objects.txt", text);
    readObjectScript(targets.back(), file, openMember);
    std::vector<Kind*> objects;
    for (SceneObject* object : targets.back()) objects.push_back(dynamic_cast<Kind*>(object));
    return objects;
}

TEST(MeshBlock, TakesTheModelOfTheLatestGeometryLineBeforeIt) {
    auto gl = platform::OffscreenGl::create(8, 8);
    ASSERT_TRUE(gl);
    MemberOpener opener = [](MemoryFile& file, const char* name) {
        file.openBytes(name, {});
        return 1;
    };
    auto objects = readKinds<SceneObject>(
        "geometry meshes\\ship.dat\ngeometry meshes\\station.dat\n"
        "mesh\nbegin station\nscale 3\nend\n"
        "geometry meshes\\probe.dat\n",
        opener);
    ASSERT_EQ(objects.size(), 1u);
    auto* mesh = dynamic_cast<Mesh*>(objects[0]);
    ASSERT_NE(mesh, nullptr);
    EXPECT_STREQ(mesh->name, "station");
    EXPECT_FLOAT_EQ(mesh->scale, 3.0f);
    EXPECT_NE(mesh->displayList, 0u);
    EXPECT_EQ(mesh->displayList + 1, fixedMeshLists().geometryList) << "the second model, not the third";
}

TEST(MeshBlock, MaterialTakesFourLinesEachTestedForItsPlaceOnly) {
    auto meshes = readKinds<Mesh>(
        "mesh\nbegin a\nmaterial\n\tdull\n\tchrome\n\tmap7 x\nscale 5\nblend\nend\n"
        "mesh\nbegin b\nmaterial\n\tmetal\n\tplain\n\tmap1 textures\\hull.tga\n\tmap2 textures\\x.jpg\nend\n"
        "mesh\nbegin c\nmaterial\n    metal\n\tmetal\n    map1 textures\\hull.tga\nend\nillum\nend\n");
    ASSERT_EQ(meshes.size(), 3u);
    EXPECT_FALSE(meshes[0]->metal);
    EXPECT_TRUE(meshes[0]->chrome);
    EXPECT_FALSE(meshes[0]->hasTexture);
    EXPECT_FLOAT_EQ(meshes[0]->scale, 1.0f) << "the fourth material line is not a keyword";
    EXPECT_TRUE(meshes[0]->blend);
    EXPECT_TRUE(meshes[1]->metal);
    EXPECT_FALSE(meshes[1]->chrome);
    EXPECT_TRUE(meshes[1]->hasTexture && meshes[1]->alphaTexture);
    // Leading spaces are dropped by the line reader, so a space-indented line never matches;
    // the fourth material line here is "end", and it closes the block.
    EXPECT_FALSE(meshes[2]->metal || meshes[2]->chrome || meshes[2]->hasTexture);
    EXPECT_FALSE(meshes[2]->illum);
}

TEST(MeshBlock, KeywordsSetThePlacementAndFlags) {
    auto meshes = readKinds<Mesh>(
        "mesh\nbegin m\norient V(1 0 0) 30\nposition V(1 2 3)\nlook V(0 1 0)\nright V(0 0 2)\n"
        "light\nillum\ninvup\ncolor V(0.5 0.1 0.2)\ntiling 4\nspeed 2\nend\n");
    const Mesh& m = *meshes[0];
    EXPECT_FLOAT_EQ(m.orientAngle, 30.0f);
    EXPECT_FLOAT_EQ(m.orientAxis.x, 1.0f);
    EXPECT_FLOAT_EQ(m.position.z, 3.0f);
    EXPECT_FLOAT_EQ(m.look.y, 1.0f);
    EXPECT_FLOAT_EQ(m.right.z, 2.0f) << "not normalised";
    EXPECT_TRUE(m.light && m.illum && m.invup);
    EXPECT_FALSE(m.metal || m.blend);
    EXPECT_FLOAT_EQ(m.color.x, 0.5f);
    EXPECT_FLOAT_EQ(m.tiling, 4.0f);
    EXPECT_FLOAT_EQ(m.speed, 2.0f);
}

TEST(FlameBlock, SizeIsTheWrittenNumberPlus2000AndParentsAreLookedUpEarlier) {
    auto objects = readKinds<SceneObject>(
        "flame\nbegin\nend\n"
        "mesh\nbegin hull\nend\n"
        "flame\nbegin\nsize 1\nell 2\nangle 0.5\noffset 7\norient V(1 2 3)\ncolorfrom V(1 0 0)\n"
        "colorto V(0 1 0)\nparent hull\nend\n"
        "flame\nbegin\nsize 0\nparent nowhere\nend\n");
    ASSERT_EQ(objects.size(), 4u);
    auto* plain = dynamic_cast<Flame*>(objects[0]);
    auto* full = dynamic_cast<Flame*>(objects[2]);
    auto* zero = dynamic_cast<Flame*>(objects[3]);
    EXPECT_FLOAT_EQ(plain->size, 0.8f);
    EXPECT_FLOAT_EQ(full->size, 2001.0f);
    EXPECT_FLOAT_EQ(zero->size, 2000.0f);
    EXPECT_FLOAT_EQ(full->ell, 2.0f);
    EXPECT_FLOAT_EQ(full->angle, 0.5f);
    EXPECT_FLOAT_EQ(full->offset, 7.0f);
    EXPECT_FLOAT_EQ(full->orient.z, 3.0f);
    EXPECT_FLOAT_EQ(full->colorfrom.y, 0.0f);
    EXPECT_FLOAT_EQ(full->colorto.y, 1.0f);
    EXPECT_EQ(full->parent, objects[1]);
    EXPECT_EQ(zero->parent, nullptr);
}

TEST(PsBlock, LastBehaviourWinsAndTimeCountsOnlyAfterDens) {
    auto systems = readKinds<ParticleSystem>(
        "ps\nbegin\ncirc\nline\ntime 4\ndens 5\nend\n"
        "ps\nbegin\ndens 5\ntime 4\nflash\ndens 3\nend\n"
        "ps\nbegin\nflash\ndens 3\ntime 0.5\npoint1 V(1 2 3)\npoint2 V(4 5 6)\nrot V(0 0 3)\nsize 9\nend\n"
        "ps\nbegin\nend\n");
    ASSERT_EQ(systems.size(), 4u);
    EXPECT_EQ(systems[0]->mode, ParticleMode::Line);
    EXPECT_EQ(systems[0]->time, 0.0f);
    EXPECT_EQ(systems[0]->dens, 5);
    EXPECT_EQ(systems[1]->time, 0.0f) << "a second dens restarts the phase";
    EXPECT_EQ(systems[1]->particles.size(), 3u);
    EXPECT_EQ(systems[2]->mode, ParticleMode::Flash);
    EXPECT_FLOAT_EQ(systems[2]->time, 0.5f);
    EXPECT_FLOAT_EQ(systems[2]->point1.y, 2.0f);
    EXPECT_FLOAT_EQ(systems[2]->point2.z, 6.0f);
    EXPECT_FLOAT_EQ(systems[2]->right.z, 3.0f);
    EXPECT_FLOAT_EQ(systems[2]->size, 9.0f);
    EXPECT_EQ(systems[3]->mode, ParticleMode::None);
    EXPECT_EQ(systems[3]->dens, 0);
}

}  // namespace
}  // namespace tarnel
