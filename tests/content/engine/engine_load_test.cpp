// The engine's own loaders read the default package: every texture decodes into a GL
// texture, the fixed meshes compile, and the world "world" is built with its spheres set
// up as the scripts intend (names, radii, flags, parents).
#include <gtest/gtest.h>

#include <strings.h>

#include <cstring>
#include <memory>

#include "assets/mesh_lists.h"
#include "assets/texture_table.h"
#include "platform/offscreen_gl.h"
#include "scene/sphere.h"
#include "script/environment.h"
#include "script/world.h"
#include "tests/content/package_fixture.h"

using namespace content_test;

namespace {

// Members from the generated package, by name without regard to case, as the archive finds them.
int openGenerated(tarnel::MemoryFile& file, const char* name) {
    for (const content::Member& m : generatedPackage().members)
        if (strcasecmp(m.name.c_str(), name) == 0) {
            file.openBytes(name, m.bytes);
            return 1;
        }
    return 0;
}

tarnel::Sphere* findSphere(const tarnel::ObjectList& list, const char* name) {
    for (tarnel::SceneObject* o : list)
        if (std::strcmp(o->name, name) == 0) return dynamic_cast<tarnel::Sphere*>(o);
    return nullptr;
}

class EngineLoadsDefaultPackage : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        gl = tarnel::platform::OffscreenGl::create(64, 64, &error);
        if (!gl) GTEST_SKIP() << "no offscreen GL context: " << error;
    }
    std::unique_ptr<tarnel::platform::OffscreenGl> gl;
};

}  // namespace

TEST_F(EngineLoadsDefaultPackage, BuildsTexturesMeshesAndTheWorld) {
    tarnel::TextureTable& table = tarnel::textureTable();
    tarnel::loadTextureList(table, "texture.txt", false, openGenerated);
    ASSERT_GE(table.entries.size(), 25u);
    for (const auto& entry : table.entries) EXPECT_NE(entry->glTexture, 0u) << entry->path;

    tarnel::FixedMeshLists& meshes = tarnel::fixedMeshLists();
    tarnel::loadFixedMeshes(meshes, openGenerated);
    EXPECT_NE(meshes.envList, 0u);
    EXPECT_NE(meshes.sphereList, 0u);
    EXPECT_NE(meshes.atmoList, 0u);

    tarnel::EnvironmentList environments;
    tarnel::loadEnvironments(environments, "env.txt", openGenerated);
    tarnel::WorldList worlds;
    tarnel::loadWorlds(worlds, environments, "worlds.txt", openGenerated);
    tarnel::World* world = tarnel::findWorld(worlds, "world");
    ASSERT_NE(world, nullptr);
    EXPECT_FALSE(world->system);

    tarnel::Sphere* sky = findSphere(*world->firstpass, "sky");
    ASSERT_NE(sky, nullptr);
    EXPECT_TRUE(sky->env);
    EXPECT_FLOAT_EQ(sky->FOV, 0.5f);

    tarnel::Sphere* planet = findSphere(world->objects, "planet");
    ASSERT_NE(planet, nullptr);
    EXPECT_FLOAT_EQ(planet->radius, 12500.0f);
    EXPECT_FLOAT_EQ(planet->initialPosition.x, 0.0f) << "\"orbit\" must precede \"position\"";
    EXPECT_TRUE(planet->hasTexture);

    tarnel::Sphere* clouds = findSphere(world->objects, "clouds");
    ASSERT_NE(clouds, nullptr);
    EXPECT_TRUE(clouds->alphaTexture);

    tarnel::Sphere* luna = findSphere(world->objects, "luna");
    tarnel::Sphere* probe = findSphere(world->objects, "probe");
    ASSERT_NE(luna, nullptr);
    ASSERT_NE(probe, nullptr);
    EXPECT_TRUE(luna->moon);
    EXPECT_FALSE(luna->systemOrbit);
    EXPECT_TRUE(probe->sys);
    EXPECT_EQ(probe->parent, luna);
    EXPECT_FLOAT_EQ(probe->initialPosition.x, 3200.0f);

    tarnel::Sphere* shadow = findSphere(world->objects, "shadow");
    ASSERT_NE(shadow, nullptr);
    EXPECT_TRUE(shadow->mask);
    tarnel::Sphere* frost = findSphere(world->objects, "frost");
    ASSERT_NE(frost, nullptr);
    EXPECT_TRUE(frost->specular);
    tarnel::Sphere* flicker = findSphere(*world->firstpass, "sunflare2");
    ASSERT_NE(flicker, nullptr);
    EXPECT_TRUE(flicker->flash && flicker->rnd);
    tarnel::Sphere* corona = findSphere(*world->firstpass, "corona");
    ASSERT_NE(corona, nullptr);
    EXPECT_TRUE(corona->atmo && corona->light);
}
