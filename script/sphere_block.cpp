// The "sphere" block: a named sphere whose lines set its fields. The keyword table is the
// reference for the block: keywords are tested in this order and every one that begins a
// line takes effect, so keywords match by prefix ("geometry" inside a block is also "geo").
#include "assets/mesh_lists.h"
#include "scene/sphere.h"
#include "script/block_fields.h"
#include "script/object_blocks.h"

#include <memory>

namespace tarnel {

namespace {

// What a sphere line may touch: the sphere, the script's carried-over state and the objects
// defined before it in the same list.
class SphereBlock {
public:
    Sphere& sphere;
    ObjectScriptState& state;
    const ObjectList& earlier;
    bool parentLineRead = false;
};

// While the system orbit is still on, a position is stored 2000 nearer in x: "orbit" must
// come before "position" for x to stay as written.
constexpr float kSystemOrbitShiftX = 2000.0f;

template <float Sphere::*Field>
void readFloat(SphereBlock& block, const char* line, const char* format) {
    scanValues(line, format, block.sphere.*Field);
}

template <bool Sphere::*Flag>
void setFlag(SphereBlock& block, const char*, const char*) {
    block.sphere.*Flag = true;
}

void useList(SphereBlock& block, std::uint32_t list) { block.sphere.displayList = list; }

void readFlash(SphereBlock& block) {
    Sphere& sphere = block.sphere;
    float& phase = block.state.flashPhase;
    sphere.flash = true;
    sphere.flashPeriod = 0.5f;
    sphere.flashOn = !(phase > 0.4f);
    sphere.flashTimer = sphere.flashOn ? phase : phase - 0.5f;
    phase += 0.25f;
}

void readMoon(SphereBlock& block) {
    block.sphere.moon = true;
    block.sphere.moonSpeed = 2.0f * block.state.moonScale;
    block.state.moonScale *= 0.75f;
}

void readShell(SphereBlock& block, std::uint32_t list) {
    block.sphere.atmo = true;
    block.sphere.alphaTexture = false;
    block.sphere.displayList = list;
}

void readRotation(SphereBlock& block, const char* line, const char* format) {
    Sphere& s = block.sphere;
    scanValues(line, format, s.rotationAxis.x, s.rotationAxis.y, s.rotationAxis.z, s.rotationAngle, s.rotationSpeed);
}

void readOrient(SphereBlock& block, const char* line, const char* format) {
    Sphere& s = block.sphere;
    scanValues(line, format, s.orientAxis.x, s.orientAxis.y, s.orientAxis.z, s.orientAngle);
}

void readPosition(SphereBlock& block, const char* line, const char* format) {
    Sphere& sphere = block.sphere;
    Vector3 written = sphere.position;
    // A line whose numbers do not scan keeps the position; shifting it anyway would move the
    // sphere another 2000 for every such line.
    if (scanVector(written, line, format) == 0) return;
    if (sphere.systemOrbit) written.x -= kSystemOrbitShiftX;
    sphere.position = written;
    sphere.initialPosition = written;
}

using Rule = KeywordRule<SphereBlock>;

const Rule kSphereKeywords[] = {
    {"radius", "radius %f", readFloat<&Sphere::radius>},
    {"FOV", "FOV %f", readFloat<&Sphere::FOV>},
    {"alpha", "alpha %f", readFloat<&Sphere::alpha>},
    {"tiling", "tiling %f", readFloat<&Sphere::tiling>},
    {"detiling", "detiling %f", readFloat<&Sphere::detiling>},
    {"period", "period %f", readFloat<&Sphere::period>},
    {"env", nullptr,
     [](SphereBlock& b, const char*, const char*) {
         b.sphere.env = true;
         b.sphere.rotationSpeed = 0.0f;
         useList(b, fixedMeshLists().envList);
     }},
    {"geo", nullptr, [](SphereBlock& b, const char*, const char*) { useList(b, fixedMeshLists().sphereList); }},
    {"light", nullptr, setFlag<&Sphere::light>},
    {"specular", nullptr, setFlag<&Sphere::specular>},
    {"depth", nullptr, setFlag<&Sphere::depth>},
    {"wire", nullptr, setFlag<&Sphere::wire>},
    {"sys", nullptr, setFlag<&Sphere::sys>},
    {"noised", nullptr, [](SphereBlock& b, const char*, const char*) { useList(b, fixedMeshLists().noisedSphereList); }},
    {"uranmoon", nullptr, setFlag<&Sphere::uranmoon>},
    {"plt", nullptr, setFlag<&Sphere::plt>},
    {"mask", nullptr, setFlag<&Sphere::mask>},
    // The model current at this line: a later "geometry" line does not change it.
    {"list", nullptr, [](SphereBlock& b, const char*, const char*) { useList(b, fixedMeshLists().geometryList); }},
    {"moon", nullptr, [](SphereBlock& b, const char*, const char*) { readMoon(b); }},
    {"orbit", nullptr, [](SphereBlock& b, const char*, const char*) { b.sphere.systemOrbit = false; }},
    {"rnd", nullptr, setFlag<&Sphere::rnd>},
    {"atmo", nullptr, [](SphereBlock& b, const char*, const char*) { readShell(b, fixedMeshLists().atmoList); }},
    {"scatter", nullptr, [](SphereBlock& b, const char*, const char*) { readShell(b, fixedMeshLists().scatterList); }},
    {"flash", nullptr, [](SphereBlock& b, const char*, const char*) { readFlash(b); }},
    {"texture", "texture %s",
     [](SphereBlock& b, const char* line, const char* format) {
         readTextureLine(b.sphere, line, format);
         b.state.lastAlphaTexture = b.sphere.alphaTexture;
     }},
    {"rotation", "rotation V(%f %f %f) %f %f", readRotation},
    {"orient", "orient V(%f %f %f) %f", readOrient},
    {"position", "position V(%f %f %f)", readPosition},
    {"color", "color V(%f %f %f)",
     [](SphereBlock& b, const char* line, const char* format) { scanVector(b.sphere.color, line, format); }},
    {"parent", "parent %s",
     [](SphereBlock& b, const char* line, const char* format) {
         b.sphere.parent = findParent(b.earlier, line, format);
         b.parentLineRead = true;
     }},
};

}  // namespace

void parseSphereBlock(ObjectScriptContext& context) {
    auto sphere = std::make_unique<Sphere>();
    const int opening = context.lines.number();
    if (!readBlockBegin(context.lines, sphere->name, sizeof sphere->name)) return;
    sphere->displayList = fixedMeshLists().sphereList;
    sphere->alphaTexture = context.state.lastAlphaTexture;
    SphereBlock block{*sphere, context.state, context.target};
    readBlockLines(context, kSphereKeywords, block);
    checkSysParent(context.lines, opening, "sphere", sphere->sys, block.parentLineRead);
    appendObject(context, std::move(sphere));
}

}  // namespace tarnel
