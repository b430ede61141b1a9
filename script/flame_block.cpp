// The "flame" block: an unnamed flame whose lines set its fields. The keyword table is the
// reference for the block.
#include "scene/flame.h"
#include "script/block_fields.h"
#include "script/object_blocks.h"

#include <memory>

namespace tarnel {

namespace {

// What a flame line may touch: the flame and the objects defined before it in the same list.
class FlameBlock {
public:
    Flame& object;
    const ObjectList& earlier;
};

// Scripts write the radius less 2000.
constexpr float kFlameSizeBase = 2000.0f;

void readSize(FlameBlock& block, const char* line, const char* format) {
    float written = 0.0f;
    if (scanValues(line, format, written) == 1) block.object.size = written + kFlameSizeBase;
}

using Rule = KeywordRule<FlameBlock>;

const Rule kFlameKeywords[] = {
    {"texture", "texture %s", [](FlameBlock& b, const char* line, const char* format) { readTextureLine(b.object, line, format); }},
    {"size", "size %f", readSize},
    {"angle", "angle %f", readFloatField<&Flame::angle>},
    {"ell", "ell %f", readFloatField<&Flame::ell>},
    {"offset", "offset %f", readFloatField<&Flame::offset>},
    {"orient", "orient V(%f %f %f)", readVectorField<&Flame::orient>},
    {"colorfrom", "colorfrom V(%f %f %f)", readVectorField<&Flame::colorfrom>},
    {"colorto", "colorto V(%f %f %f)", readVectorField<&Flame::colorto>},
    {"parent", "parent %s",
     [](FlameBlock& b, const char* line, const char* format) { b.object.parent = findParent(b.earlier, line, format); }},
};

}  // namespace

void parseFlameBlock(ObjectScriptContext& context) {
    auto flame = std::make_unique<Flame>();
    if (!readBlockBegin(context.lines, nullptr, 0)) return;
    FlameBlock block{*flame, context.target};
    readBlockLines(context, kFlameKeywords, block);
    appendObject(context, std::move(flame));
}

}  // namespace tarnel
