// `tarnel --dump-scene`: what the package defines, as the loaders left it.
#include "host/loaded_scene.h"

#include "scene/object_dump.h"

namespace tarnel {

namespace {

const Environment* environmentOf(const LoadedScene& scene, const World& world) {
    for (const auto& environment : scene.environments) {
        if (&environment->firstpass == world.firstpass) return environment.get();
    }
    return nullptr;
}

}  // namespace

void writeSceneDump(const LoadedScene& scene, std::ostream& out) {
    JsonFields json(out);
    json.beginObject();
    json.field("current", scene.current != nullptr ? scene.current->name : "");
    json.beginArray("worlds");
    for (const auto& world : scene.worlds) {
        json.beginObject();
        json.field("name", world->name);
        json.field("scenedir", world->scenedir);
        json.field("system", world->system);
        if (const Environment* environment = environmentOf(scene, *world))
            json.field("env", environment->name);
        else
            json.nullField("env");
        dumpObjectList("objects", world->objects, json);
        json.endObject();
    }
    json.endArray();
    json.beginArray("environments");
    for (const auto& environment : scene.environments) {
        json.beginObject();
        json.field("name", environment->name);
        dumpObjectList("firstpass", environment->firstpass, json);
        dumpObjectList("postpass", environment->postpass, json);
        json.endObject();
    }
    json.endArray();
    json.endObject();
}

}  // namespace tarnel
