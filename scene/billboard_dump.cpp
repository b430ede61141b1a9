// A billboard's own fields in the scene dump. Its parent, colour and right axis are its own,
// apart from the base fields of those names, so they are written as "ownParent", "ownColor"
// and "ownRight" (the base writes "parent", "color" and "right").
#include "scene/billboard.h"
#include "scene/object_dump.h"

#include <utility>

namespace tarnel {

bool dumpBillboardFields(const SceneObject& object, JsonFields& json) {
    const auto* billboard = dynamic_cast<const Billboard*>(&object);
    if (billboard == nullptr) return false;
    const Billboard& b = *billboard;
    json.field("kind", "billboard");
    dumpOwnParent(b.parent, b.parentNotFound, json);
    json.field("ownColor", b.color);
    json.field("up", b.up);
    json.field("ownRight", b.right);
    const std::pair<const char*, float> numbers[] = {
        {"rotation", b.rotation}, {"size", b.size},         {"alpha", b.alpha},
        {"tiling", b.tiling},     {"rotationSpeed", b.rotationSpeed}, {"FOV", b.FOV},
        {"xy", b.xy},             {"oreolRadius", b.oreolRadius},     {"flashTime", b.flashTime},
        {"flashShown", b.flashShown}, {"flashHidden", b.flashHidden},
    };
    for (const auto& [name, value] : numbers) json.field(name, value);
    json.field("anchor", b.anchor);
    const std::pair<const char*, bool> flags[] = {
        {"env", b.env},     {"orientOff", b.orientOff}, {"flash", b.flash}, {"blend", b.blend},
        {"depth", b.depth}, {"oreol", b.oreol},         {"sys", b.sys},
    };
    for (const auto& [name, value] : flags) json.field(name, value);
    return true;
}

}  // namespace tarnel
