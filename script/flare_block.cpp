// The "flare" block: an unnamed flare whose lines set its fields. The keyword table is the
// reference for the block: keywords are tested in this order and every one that begins a
// line takes effect, except that the four lines after "lenseffect" belong to the lens and
// are tested against nothing. Sizes are written for a picture 600 pixels high (800 x 600).
#include "assets/texture_table.h"
#include "gfx/overlay.h"
#include "scene/flare.h"
#include "script/anchored_parent.h"
#include "script/block_fields.h"
#include "script/line_scan.h"
#include "script/object_blocks.h"

#include <memory>
#include <string>

namespace tarnel {

namespace {

// What a flare line may touch: the flare, the lines (the lens block reads on), and the
// objects defined before it in the same list (its parent candidates).
class FlareBlock {
public:
    Flare& flare;
    ScriptLines& lines;
    const ObjectList& earlier;
    bool lensRead = false;  // the rule loop stops testing the line the lens block ended on
};

template <float Flare::*Field>
void readFloat(FlareBlock& block, const char* line, const char* format) {
    scanValues(line, format, block.flare.*Field);
}

template <float Flare::*Field>
void readPixels(FlareBlock& block, const char* line, const char* format) {
    float written = 0.0f;
    if (scanValues(line, format, written) == 1) block.flare.*Field = written * gfx::pixelsPerOverlayUnit();
}

// Rates are written per frame at 60 frames per second.
void readAlpha(FlareBlock& block, const char* line, const char* format) {
    Flare& f = block.flare;
    float in = 0.0f, out = 0.0f;
    int n = scanValues(line, format, f.fade, in, out);
    if (n >= 2) f.fadeIn = 60.0f * in;
    if (n >= 3) f.fadeOut = 60.0f * out;
}

void readRotation(FlareBlock& block, const char* line, const char* format) {
    float perFrame = 0.0f;
    if (scanValues(line, format, block.flare.rotation, perFrame) == 2) block.flare.rotationSpeed = 60.0f * perFrame;
}

// One lens texture line; a line that does not scan, or names a texture the table lacks,
// leaves the slot empty, and the ghosts that take it are left out.
void readLensTexture(FlareBlock& block, int slot) {
    char path[MemoryFile::kLineSize] = {};
    const bool named = block.lines.scan("\ttexture %s", path) == 1;
    if (named) block.flare.setLensTexture(slot, path, textureTable());
    if (!findingsWanted()) return;
    const std::string ghosts = ": lens slot " + std::to_string(slot) + " stays empty and its ghosts or streaks are left out";
    if (!named)
        block.lines.report("lens line is no \"texture\" line" + ghosts);
    else if (findTexture(textureTable(), path) == nullptr)
        block.lines.report("lens texture " + quoted(path) + " is not in \"texture.txt\"" + ghosts);
}

// The four lines after "lenseffect", whatever they hold: the ghosts' size, then lens
// textures 0, 1 and 2. A line that does not scan changes nothing.
void readLens(FlareBlock& block, const char*, const char*) {
    Flare& f = block.flare;
    f.lenseffect = true;
    block.lensRead = true;
    if (!block.lines.next()) return;
    readPixels<&Flare::lensSize>(block, block.lines.line(), "\tsize %f");
    for (int slot = 0; slot < Flare::kLensTextureCount; ++slot) {
        if (!block.lines.next()) return;
        readLensTexture(block, slot);
    }
}

using Rule = KeywordRule<FlareBlock>;

// "flash", "lumin" and "focus" close a parenthesis they never opened; it is part of the format.
const Rule kFlareKeywords[] = {
    {"size", "size %f", readPixels<&Flare::size>},
    {"flash", "flash %f)", readFloat<&Flare::flash>},
    {"lumin", "lumin %f)", readFloat<&Flare::lumin>},
    {"focus", "focus %f)",
     [](FlareBlock& b, const char* line, const char* format) {
         b.flare.focusOn = true;
         scanValues(line, format, b.flare.focus);
     }},
    {"parent", "parent %s V(%f %f %f)",
     [](FlareBlock& b, const char* line, const char* format) { readAnchoredParent(b.flare, b.earlier, line, format); }},
    {"FOV", "FOV %f", readFloat<&Flare::FOV>},
    {"alpha", "alpha %f fade: %f %f", readAlpha},
    {"env", "env V(%f %f %f)",
     [](FlareBlock& b, const char* line, const char* format) {
         b.flare.env = true;
         scanVector(b.flare.anchor, line, format);
     }},
    {"texture", "texture %s",
     [](FlareBlock& b, const char* line, const char* format) { readTextureLine(b.flare, line, format); }},
    {"position", "position V(%f %f %f)",
     [](FlareBlock& b, const char* line, const char* format) { scanVector(b.flare.position, line, format); }},
    {"lenseffect", nullptr, readLens},
    {"rotation", "rotation %f %f", readRotation},
    {"xy", "xy %f", readFloat<&Flare::xy>},
    {"orient", "orient V(%f %f %f)",
     [](FlareBlock& b, const char* line, const char* format) {
         b.flare.orient = true;
         scanVector(b.flare.orientVector, line, format);
     }},
};

void readFlareLine(FlareBlock& block) {
    block.lensRead = false;
    for (const Rule& rule : kFlareKeywords) {
        if (block.lensRead) return;
        if (block.lines.startsWith(rule.keyword)) rule.apply(block, block.lines.line(), rule.format);
    }
}

}  // namespace

void parseFlareBlock(ObjectScriptContext& context) {
    auto flare = std::make_unique<Flare>();
    if (!readBlockBegin(context.lines, nullptr, 0)) return;
    FlareBlock block{*flare, context.lines, context.target};
    while (context.lines.nextInBlock()) readFlareLine(block);
    closeBlock(context, kFlareKeywords);
    // Every flare starts dark and fades in once its occlusion test passes.
    flare->fade = 0.0f;
    appendObject(context, std::move(flare));
}

}  // namespace tarnel
