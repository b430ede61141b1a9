// The own fields of meshes, flames and particle systems in the scene dump, named as the
// kinds name them.
#include "scene/flame.h"
#include "scene/mesh.h"
#include "scene/object_dump.h"
#include "scene/particle_system.h"

#include <utility>

namespace tarnel {

namespace {

const char* modeName(ParticleMode mode) {
    switch (mode) {
        case ParticleMode::Line: return "line";
        case ParticleMode::Circ: return "circ";
        case ParticleMode::Flash: return "flash";
        case ParticleMode::None: break;
    }
    return "none";
}

// Writes "kind" and, through write, the kind's own fields when object is a Kind.
template <class Kind, class Write>
bool dumpAs(const SceneObject& object, JsonFields& json, const char* kind, Write write) {
    const auto* typed = dynamic_cast<const Kind*>(&object);
    if (typed == nullptr) return false;
    json.field("kind", kind);
    write(*typed);
    return true;
}

}  // namespace

bool dumpMeshFields(const SceneObject& object, JsonFields& json) {
    return dumpAs<Mesh>(object, json, "mesh", [&json](const Mesh& m) {
        json.field("displayList", m.displayList);
        json.field("orientAxis", m.orientAxis);
        json.field("orientAngle", m.orientAngle);
        json.field("scale", m.scale);
        const std::pair<const char*, bool> flags[] = {
            {"metal", m.metal}, {"light", m.light}, {"illum", m.illum},
            {"blend", m.blend}, {"chrome", m.chrome}, {"invup", m.invup},
        };
        for (const auto& [name, value] : flags) json.field(name, value);
        json.field("speed", m.speed);
        json.field("tiling", m.tiling);
    });
}

bool dumpFlameFields(const SceneObject& object, JsonFields& json) {
    return dumpAs<Flame>(object, json, "flame", [&json](const Flame& f) {
        json.field("orient", f.orient);
        json.field("size", f.size);
        json.field("ell", f.ell);
        json.field("angle", f.angle);
        json.field("offset", f.offset);
        json.field("colorfrom", f.colorfrom);
        json.field("colorto", f.colorto);
        if (f.parent != nullptr)
            json.field("ownParent", f.parent->name);
        else
            json.nullField("ownParent");
    });
}

bool dumpParticleSystemFields(const SceneObject& object, JsonFields& json) {
    return dumpAs<ParticleSystem>(object, json, "ps", [&json](const ParticleSystem& p) {
        json.field("mode", modeName(p.mode));
        json.field("size", p.size);
        json.field("time", p.time);
        json.field("timer", p.timer);
        json.field("spin", p.spin);
        json.field("sweep", static_cast<double>(p.sweep));
        json.field("point1", p.point1);
        json.field("point2", p.point2);
        json.field("dens", static_cast<std::uint32_t>(p.dens));
    });
}

}  // namespace tarnel
