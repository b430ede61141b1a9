// The scene dump names each kind and writes its own fields.
#include "scene/flame.h"
#include "scene/mesh.h"
#include "scene/object_dump.h"
#include "scene/particle_system.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace tarnel {
namespace {

std::string dumped(const SceneObject& object) {
    std::ostringstream out;
    JsonFields json(out);
    json.beginArray();
    dumpObject(object, json);
    json.endArray();
    return out.str();
}

TEST(KindDump, MeshFlameAndParticleSystemWriteTheirKindAndOwnFields) {
    Mesh mesh;
    mesh.metal = true;
    Flame flame;
    flame.parent = &mesh;
    ParticleSystem system;
    system.mode = ParticleMode::Circ;
    system.allocateParticles(7);
    const std::pair<const SceneObject*, std::vector<const char*>> cases[] = {
        {&mesh, {"\"kind\": \"mesh\"", "\"metal\": true", "\"orientAxis\": [0, 1, 0]"}},
        {&flame, {"\"kind\": \"flame\"", "\"size\": 0.8", "\"ownParent\": \"\""}},
        {&system, {"\"kind\": \"ps\"", "\"mode\": \"circ\"", "\"dens\": 7"}},
    };
    for (const auto& [object, expected] : cases) {
        std::string text = dumped(*object);
        for (const char* field : expected) EXPECT_NE(text.find(field), std::string::npos) << field << "\n" << text;
    }
}

}  // namespace
}  // namespace tarnel
