// The "ps" block: an unnamed particle system. The keyword table is the reference for the
// block. Order matters: "dens" restarts the phase timer, so "time" counts only after it,
// and the last of "line", "circ" and "flash" picks the behaviour.
#include "scene/particle_system.h"
#include "script/block_fields.h"
#include "script/object_blocks.h"

#include <memory>
#include <string>

namespace tarnel {

namespace {

class PsBlock {
public:
    ParticleSystem& object;
};

template <ParticleMode Mode>
void setMode(PsBlock& block, const char*, const char*) {
    block.object.mode = Mode;
}

void readDens(PsBlock& block, const char* line, const char* format) {
    int count = 0;
    if (scanValues(line, format, count) != 1) return;
    block.object.allocateParticles(count);
    if (block.object.dens != count)
        reportAtReadingPlace("", "dens " + std::to_string(count) + " is outside 0.." +
                                     std::to_string(ParticleSystem::kMaxParticles) + ": the system has " +
                                     std::to_string(block.object.dens) + " particles");
}

using Rule = KeywordRule<PsBlock>;

const Rule kPsKeywords[] = {
    {"texture", "texture %s", [](PsBlock& b, const char* line, const char* format) { readTextureLine(b.object, line, format); }},
    {"size", "size %f", readFloatField<&ParticleSystem::size>},
    {"line", nullptr, setMode<ParticleMode::Line>},
    {"circ", nullptr, setMode<ParticleMode::Circ>},
    {"flash", nullptr, setMode<ParticleMode::Flash>},
    {"time", "time %f", readFloatField<&ParticleSystem::time>},
    {"dens", "dens %d", readDens},
    {"point1", "point1 V(%f %f %f)", readVectorField<&ParticleSystem::point1>},
    {"point2", "point2 V(%f %f %f)", readVectorField<&ParticleSystem::point2>},
    {"rot", "rot V(%f %f %f)", readVectorField<&SceneObject::right>},
};

}  // namespace

void parsePsBlock(ObjectScriptContext& context) {
    auto system = std::make_unique<ParticleSystem>();
    if (!readBlockBegin(context.lines, nullptr, 0)) return;
    PsBlock block{*system};
    readBlockLines(context, kPsKeywords, block);
    appendObject(context, std::move(system));
}

}  // namespace tarnel
