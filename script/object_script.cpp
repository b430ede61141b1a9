// The line walk of an object script: between blocks each line is classified by its first
// characters and the first kind that matches parses its block; "geometry" lines load the
// model later "list" spheres draw. Lines that match nothing (comments, blank lines, "dir")
// are skipped without a loading tick.
#include "script/object_script.h"

#include "assets/loading_tick.h"
#include "assets/mesh_lists.h"
#include "script/object_blocks.h"
#include "script/reader_findings.h"

#include <string>

namespace tarnel {

namespace {

// Reads a block without making its object: to "begin", then to the closing "end". Kinds
// whose parser is not in the table are read this way, so their lines never open blocks.
void passOverBlock(ObjectScriptContext& context) {
    if (!readBlockBegin(context.lines, nullptr, 0)) return;
    while (context.lines.nextInBlock()) {
    }
}

struct BlockKind {
    const char* keyword;
    BlockParser parse;  // null: the block is passed over
};

// Tested in this order; the first kind whose keyword begins the line parses the block, so a
// comment between blocks must begin with none of them (not even "ps").
const BlockKind kBlockKinds[] = {
    {"sphere", parseSphereBlock},
    {"billboard", parseBillboardBlock},
    {"flare", parseFlareBlock},
    {"mesh", parseMeshBlock},
    {"flame", parseFlameBlock},
    {"ps", parsePsBlock},
};

// A line between blocks that reads as a keyword line of the block before it: that block was
// ended by an "end" too early (or by a line that merely begins with "end"), and its last
// lines went unread. Reported once a block.
void checkCutShort(ObjectScriptContext& context) {
    ClosedBlock& closed = context.closed;
    for (const auto& rule : closed.rules) {
        if (!isKeywordLine(context.lines.line(), rule.first, rule.second)) continue;
        context.lines.report(quoted(rule.first) + " line after the block's \"end\" at line " +
                             std::to_string(closed.endLine) + ": the block ended early and this line is skipped");
        closed.rules.clear();
        return;
    }
}

const BlockKind* blockKindOf(const ScriptLines& lines) {
    for (const BlockKind& kind : kBlockKinds) {
        if (lines.startsWith(kind.keyword)) return &kind;
    }
    return nullptr;
}

// The model of the last "geometry" line read anywhere stays current for every later script.
void readGeometryLine(const ObjectScriptContext& context) {
    char member[32] = {};
    checkWordFits(context.lines, 1, sizeof member, "mesh member name");
    if (context.lines.scan("geometry %s", member) != 1) return;
    buildMeshList(fixedMeshLists().geometryList, member, false, context.openMember);
}

}  // namespace

void readObjectScript(ObjectList& target, MemoryFile& file, const MemberOpener& openMember) {
    ScriptLines lines(file);
    ObjectScriptContext context{lines, target, ObjectScriptState(), openMember, ClosedBlock()};
    bool more = lines.next();
    while (more) {
        if (loadingStopped()) return;
        if (const BlockKind* kind = blockKindOf(lines)) {
            (kind->parse != nullptr ? kind->parse : passOverBlock)(context);
            sendLoadingTick();
        } else if (lines.startsWith("ENDWORLD")) {
            return;
        } else if (lines.startsWith("geometry")) {
            readGeometryLine(context);
            sendLoadingTick();
        } else if (findingsWanted()) {
            checkNearMiss(lines, {"sphere", "billboard", "flare", "mesh", "flame", "ps", "ENDWORLD", "geometry"});
            checkCutShort(context);
        }
        more = lines.next();
    }
    checkTerminated(lines, "ENDWORLD", "object script");
}

void loadObjectScript(ObjectList& target, const char* memberName, const MemberOpener& openMember) {
    MemoryFile file;
    openMember(file, memberName);
    readObjectScript(target, file, openMember);
}

}  // namespace tarnel
