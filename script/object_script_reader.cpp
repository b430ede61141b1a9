// The line walk of an object script: between blocks each line is classified by its first
// characters and the first kind that matches parses its block. Lines that match nothing
// (comments, blank lines, "dir") are skipped without a loading tick.
#include "assets/loading_tick.h"
#include "script/object_script.h"
#include "script/script_lines.h"

namespace tarnel {

namespace {

// Reads a block without making its object: skips to "begin", then to the closing "end".
// Kinds whose parser has not joined the table yet are read this way, so their lines are
// never taken for blocks of their own.
void passOverBlock(ObjectScriptContext& context) {
    if (!context.lines.seekLine("begin")) return;
    while (context.lines.nextInBlock()) {
    }
}

struct BlockKind {
    const char* keyword;
    void (*parse)(ObjectScriptContext& context);
};

// Tested in this order; the first kind whose keyword begins the line parses the block, so a
// comment between blocks must begin with none of them (not even "ps").
const BlockKind kBlockKinds[] = {
    {"sphere", passOverBlock}, {"billboard", passOverBlock}, {"flare", passOverBlock},
    {"mesh", passOverBlock},   {"flame", passOverBlock},     {"ps", passOverBlock},
};

const BlockKind* blockKindOf(const ScriptLines& lines) {
    for (const BlockKind& kind : kBlockKinds) {
        if (lines.startsWith(kind.keyword)) return &kind;
    }
    return nullptr;
}

}  // namespace

void readObjectScript(ObjectList& target, MemoryFile& file) {
    ScriptLines lines(file);
    ObjectScriptContext context{lines, target, ObjectScriptState()};
    bool more = lines.next();
    while (more) {
        if (const BlockKind* kind = blockKindOf(lines)) {
            kind->parse(context);
            sendLoadingTick();
        } else if (lines.startsWith("ENDWORLD")) {
            break;
        }
        more = lines.next();
    }
}

}  // namespace tarnel
