// What every definition-block parser shares: the script's carried-over state, the context a
// parser works in, and the block rules common to all kinds (up to "begin", the optional
// name, the keyword loop to "end", "parent" lookups, texture lines). A kind's parser adds
// only its keyword table and its start and end actions.
#pragma once

#include "assets/member_opener.h"
#include "scene/object_list.h"
#include "scene/object_store.h"
#include "script/reader_findings.h"
#include "script/script_lines.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

namespace tarnel {

// State that carries from one block to the next within one script, and starts afresh with
// every script.
class ObjectScriptState {
public:
    float flashPhase = 0.0f;        // start phase of the next flashing sphere, seconds
    bool lastAlphaTexture = false;  // alphaTexture of the sphere whose texture was read last
    float moonScale = 1.0f;         // speed scale of the next moon
};

// The block read last, as far as the checks between blocks need it: while findings are
// wanted, a line after its "end" that reads as one of its keyword lines shows that the block
// was cut short, and the line went unread.
class ClosedBlock {
public:
    std::vector<std::pair<const char*, const char*>> rules;  // keyword and format; empty: none
    int endLine = 0;
};

// What a block parser works with: the lines (positioned on the block's opening line), the
// list its object joins, the script's state, and where "geometry" members come from.
class ObjectScriptContext {
public:
    ScriptLines& lines;
    ObjectList& target;
    ObjectScriptState state;
    const MemberOpener& openMember;
    ClosedBlock closed;
};

// Reads on to the block's "begin" line. With name given (spheres and meshes), the word after
// "begin" becomes the name, cut to the name field's 14 characters. False when the data ends
// first: the block defines nothing.
bool readBlockBegin(ScriptLines& lines, char* name, std::size_t nameCapacity);

// One row of a kind's keyword table: the keyword a line must begin with, the format its
// values are scanned with (null when it takes none), and what the line does to the block.
template <class Block>
struct KeywordRule {
    const char* keyword;
    const char* format;
    void (*apply)(Block& block, const char* line, const char* format);
};

// Notes the block's keyword table and the line that ended it, for the checks between blocks.
template <class Block, std::size_t N>
void closeBlock(ObjectScriptContext& context, const KeywordRule<Block> (&rules)[N]) {
    if (!findingsWanted()) return;
    context.closed.rules.clear();
    for (const KeywordRule<Block>& rule : rules) context.closed.rules.emplace_back(rule.keyword, rule.format);
    context.closed.endLine = context.lines.number();
}

// The keyword loop: every line after "begin", up to and including the one that begins with
// "end", is tested against every rule in table order; each rule whose keyword begins the
// line takes effect. A rule that reads a sub-block of its own ends the tests: the lines it
// read belong to it, and the block goes on after them. Stops at the end of the data when no
// "end" comes.
template <class Block, std::size_t N>
void readBlockLines(ObjectScriptContext& context, const KeywordRule<Block> (&rules)[N], Block& block) {
    ScriptLines& lines = context.lines;
    while (lines.nextInBlock()) {
        const unsigned long lineRead = lines.linesRead();
        bool known = lines.startsWith("end");
        for (const KeywordRule<Block>& rule : rules) {
            if (lines.linesRead() != lineRead) break;
            if (!lines.startsWith(rule.keyword)) continue;
            known = true;
            checkValues(lines, rule.format);
            rule.apply(block, lines.line(), rule.format);
        }
        if (!known && findingsWanted()) {
            const char* keywords[N];
            for (std::size_t i = 0; i < N; ++i) keywords[i] = rules[i].keyword;
            checkNearMiss(lines, keywords, N);
        }
    }
    checkTerminated(lines, "end", "block");
    closeBlock(context, rules);
}

// The first object of list whose name is exactly the word of a "parent %s" line (cut to the
// name field's length, as the names are), or null when none is.
SceneObject* findParent(const ObjectList& list, const char* line, const char* format);

// A "texture %s" line: looks the path up in the texture table (setTexture) and sets hasTexture.
void readTextureLine(SceneObject& object, const char* line, const char* format);

// A "sys" object stands relative to its parent, so without a "parent" line it is not drawn:
// reported at the block's opening line. A parent line naming no earlier object has been
// reported where it stands.
void checkSysParent(const ScriptLines& lines, int openingLine, const char* kind, bool sys, bool parentLineRead);

// Hands the object to the scene object store, which keeps it for the run, and appends it to
// the target list.
template <class Kind>
Kind* appendObject(ObjectScriptContext& context, std::unique_ptr<Kind> object) {
    Kind* kept = sceneObjectStore().keep(std::move(object));
    context.target.push_back(kept);
    return kept;
}

}  // namespace tarnel
