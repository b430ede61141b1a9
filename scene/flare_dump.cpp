// A flare's own fields in the scene dump. Its parent is its own, apart from the base field,
// so it is written as "ownParent" (the base writes "parent").
#include "scene/flare.h"
#include "scene/object_dump.h"

#include <utility>

namespace tarnel {

bool dumpFlareFields(const SceneObject& object, JsonFields& json) {
    const auto* flare = dynamic_cast<const Flare*>(&object);
    if (flare == nullptr) return false;
    const Flare& f = *flare;
    json.field("kind", "flare");
    dumpOwnParent(f.parent, f.parentNotFound, json);
    const std::pair<const char*, float> numbers[] = {
        {"fade", f.fade},         {"size", f.size},               {"lensSize", f.lensSize},
        {"fadeIn", f.fadeIn},     {"fadeOut", f.fadeOut},         {"FOV", f.FOV},
        {"rotation", f.rotation}, {"rotationSpeed", f.rotationSpeed}, {"xy", f.xy},
        {"twinkleClock", f.twinkleClock}, {"twinkleDim", f.twinkleDim}, {"twinkleEnd", f.twinkleEnd},
        {"flash", f.flash},       {"focus", f.focus},             {"lumin", f.lumin},
    };
    for (const auto& [name, value] : numbers) json.field(name, value);
    const std::pair<const char*, bool> flags[] = {
        {"visible", f.visible}, {"lenseffect", f.lenseffect}, {"env", f.env},
        {"focusOn", f.focusOn}, {"orient", f.orient},
    };
    for (const auto& [name, value] : flags) json.field(name, value);
    json.field("anchor", f.anchor);
    json.field("orientVector", f.orientVector);
    json.beginArray("lensTextures");
    for (std::uint32_t texture : f.lensTextures) json.field(nullptr, texture);
    json.endArray();
    return true;
}

}  // namespace tarnel
