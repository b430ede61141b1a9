// A sphere's own fields in the scene dump, named as the sphere names them.
#include "scene/object_dump.h"
#include "scene/sphere.h"

#include <utility>

namespace tarnel {

bool dumpSphereFields(const SceneObject& object, JsonFields& json) {
    const auto* sphere = dynamic_cast<const Sphere*>(&object);
    if (sphere == nullptr) return false;
    const Sphere& s = *sphere;
    json.field("kind", "sphere");
    json.field("displayList", s.displayList);
    json.field("radius", s.radius);
    json.field("alpha", s.alpha);
    json.field("FOV", s.FOV);
    json.field("tiling", s.tiling);
    json.field("detiling", s.detiling);
    json.field("period", s.period);
    json.field("rotationAxis", s.rotationAxis);
    json.field("rotationAngle", s.rotationAngle);
    json.field("rotationSpeed", s.rotationSpeed);
    json.field("orientAxis", s.orientAxis);
    json.field("orientAngle", s.orientAngle);
    const std::pair<const char*, bool> flags[] = {
        {"env", s.env},         {"light", s.light},   {"atmo", s.atmo},       {"wire", s.wire},
        {"systemOrbit", s.systemOrbit}, {"depth", s.depth}, {"mask", s.mask}, {"flash", s.flash},
        {"flashOn", s.flashOn}, {"rnd", s.rnd},       {"sys", s.sys},         {"uranmoon", s.uranmoon},
        {"plt", s.plt},         {"specular", s.specular},
    };
    for (const auto& [name, value] : flags) json.field(name, value);
    json.field("flashTimer", s.flashTimer);
    json.field("flashPeriod", s.flashPeriod);
    json.field("flashOffsetS", s.flashOffsetS);
    json.field("flashOffsetT", s.flashOffsetT);
    json.field("flashRotation", s.flashRotation);
    return true;
}

}  // namespace tarnel
