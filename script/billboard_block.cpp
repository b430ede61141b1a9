// The "billboard" block: an unnamed billboard whose lines set its fields. The keyword table
// is the reference for the block: keywords are tested in this order and every one that
// begins a line takes effect. "parent", "env" and "oreol" all write the anchor; the last
// such line wins.
#include "scene/billboard.h"
#include "script/anchored_parent.h"
#include "script/block_fields.h"
#include "script/line_scan.h"
#include "script/object_blocks.h"

#include <memory>

namespace tarnel {

namespace {

// What a billboard line may touch: the billboard and the objects defined before it in the
// same list (its parent candidates).
class BillboardBlock {
public:
    Billboard& billboard;
    const ObjectList& earlier;
};

template <float Billboard::*Field>
void readFloat(BillboardBlock& block, const char* line, const char* format) {
    scanValues(line, format, block.billboard.*Field);
}

template <bool Billboard::*Flag>
void setFlag(BillboardBlock& block, const char*, const char*) {
    block.billboard.*Flag = true;
}

template <Vector3 Billboard::*Field>
void readVector(BillboardBlock& block, const char* line, const char* format) {
    scanVector(block.billboard.*Field, line, format);
}

// A zero axis has no direction: the axis keeps the value it had.
template <Vector3 Billboard::*Field>
void readAxis(BillboardBlock& block, const char* line, const char* format) {
    Vector3 v;
    if (scanValues(line, format, v.x, v.y, v.z) == 3 && v.length() > 0.0f) block.billboard.*Field = normalize(v);
}

// The speed is written per frame at 60 frames per second.
void readRotation(BillboardBlock& block, const char* line, const char* format) {
    float perFrame = 0.0f;
    if (scanValues(line, format, block.billboard.rotation, perFrame) == 2) block.billboard.rotationSpeed = 60.0f * perFrame;
}

void readEnv(BillboardBlock& block, const char* line, const char* format) {
    Billboard& b = block.billboard;
    b.env = true;
    scanValues(line, format, b.anchor.x, b.anchor.y, b.anchor.z);
}

void readOreol(BillboardBlock& block, const char* line, const char* format) {
    Billboard& b = block.billboard;
    b.oreol = true;
    scanValues(line, format, b.anchor.x, b.anchor.y, b.anchor.z, b.oreolRadius);
}

void readFlash(BillboardBlock& block, const char* line, const char* format) {
    Billboard& b = block.billboard;
    b.flash = true;
    scanValues(line, format, b.flashTime, b.flashHidden, b.flashShown);
}

using Rule = KeywordRule<BillboardBlock>;

const Rule kBillboardKeywords[] = {
    {"size", "size %f", readFloat<&Billboard::size>},
    {"rotation", "rotation %f %f", readRotation},
    {"tiling", "tiling %f", readFloat<&Billboard::tiling>},
    {"parent", "parent %s V(%f %f %f)",
     [](BillboardBlock& b, const char* line, const char* format) { readAnchoredParent(b.billboard, b.earlier, line, format); }},
    {"FOV", "FOV %f", readFloat<&Billboard::FOV>},
    {"alpha", "alpha %f", readFloat<&Billboard::alpha>},
    // Ten characters, the space included: "orient" alone does nothing.
    {"orient off", nullptr, setFlag<&Billboard::orientOff>},
    {"blend", nullptr, setFlag<&Billboard::blend>},
    {"depth", nullptr, setFlag<&Billboard::depth>},
    {"sys", nullptr, setFlag<&Billboard::sys>},
    {"env", "env V(%f %f %f)", readEnv},
    {"oreol", "oreol V(%f %f %f) %f", readOreol},
    // The closing parenthesis without an opening one is part of the format.
    {"flash", "flash %f %f %f)", readFlash},
    {"texture", "texture %s",
     [](BillboardBlock& b, const char* line, const char* format) { readTextureLine(b.billboard, line, format); }},
    {"up", "up V(%f %f %f)", readAxis<&Billboard::up>},
    {"right", "right V(%f %f %f)", readAxis<&Billboard::right>},
    {"position", "position V(%f %f %f)",
     [](BillboardBlock& b, const char* line, const char* format) {
         Vector3& p = b.billboard.position;
         scanValues(line, format, p.x, p.y, p.z);
     }},
    {"color", "color V(%f %f %f)", readVector<&Billboard::color>},
    {"xy", "xy %f", readFloat<&Billboard::xy>},
};

}  // namespace

void parseBillboardBlock(ObjectScriptContext& context) {
    auto billboard = std::make_unique<Billboard>();
    const int opening = context.lines.number();
    if (!readBlockBegin(context.lines, nullptr, 0)) return;
    BillboardBlock block{*billboard, context.target};
    readBlockLines(context, kBillboardKeywords, block);
    checkSysParent(context.lines, opening, "billboard", billboard->sys,
                   billboard->parent != nullptr || billboard->parentNotFound);
    appendObject(context, std::move(billboard));
}

}  // namespace tarnel
