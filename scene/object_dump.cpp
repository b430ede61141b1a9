// The dump's shared part and the table of kind dumpers.
#include "scene/object_dump.h"

#include "scene/scene_object.h"

namespace tarnel {

namespace {

// Each kind adds its dumper here.
const KindDumper kKindDumpers[] = {
    dumpSphereFields,
    dumpMeshFields,
    dumpFlameFields,
    dumpParticleSystemFields,
    dumpBillboardFields,
    dumpFlareFields,
};

void dumpBaseFields(const SceneObject& object, JsonFields& json) {
    json.field("name", object.name);
    if (object.parent != nullptr)
        json.field("parent", object.parent->name);
    else
        json.nullField("parent");
    json.field("position", object.position);
    json.field("look", object.look);
    json.field("right", object.right);
    json.field("initialPosition", object.initialPosition);
    json.field("color", object.color);
    json.field("trackKeys", static_cast<std::uint32_t>(object.track.keys.size()));
    json.field("textureId", static_cast<std::uint32_t>(object.textureId));
    json.field("hasTexture", object.hasTexture);
    json.field("alphaTexture", object.alphaTexture);
    json.field("moon", object.moon);
    json.field("moonAngle", object.moonAngle);
    json.field("moonSpeed", object.moonSpeed);
}

}  // namespace

void dumpOwnParent(const SceneObject* parent, bool notFound, JsonFields& json) {
    if (parent != nullptr)
        json.field("ownParent", parent->name);
    else
        json.nullField("ownParent");
    json.field("parentNotFound", notFound);
}

void dumpObject(const SceneObject& object, JsonFields& json) {
    json.beginObject();
    bool known = false;
    for (KindDumper dumper : kKindDumpers) {
        if (dumper(object, json)) {
            known = true;
            break;
        }
    }
    if (!known) json.field("kind", "unknown");
    dumpBaseFields(object, json);
    json.endObject();
}

void dumpObjectList(const char* name, const ObjectList& list, JsonFields& json) {
    json.beginArray(name);
    for (const SceneObject* object : list) dumpObject(*object, json);
    json.endArray();
}

}  // namespace tarnel
