// The object-script reader: one script's definition blocks become scene objects appended
// to a target list (a world's own objects, or an environment's first-pass or post-pass list).
#pragma once

#include "assets/member_opener.h"
#include "assets/memory_file.h"
#include "scene/object_list.h"

#include <functional>

namespace tarnel {

class ScriptLines;

// How the world and environment readers have a named object script read into a list: the
// saver passes loadObjectScript; tests and tools pass readers over bytes of their own.
using ObjectScriptLoader = std::function<void(ObjectList& target, const char* memberName)>;

// State that carries from one block to the next within one script, and starts afresh with
// every script.
class ObjectScriptState {
public:
    float flashPhase = 0.0f;        // start phase of the next flashing sphere, seconds
    bool lastAlphaTexture = false;  // alphaTexture of the sphere whose texture was read last
    float moonScale = 1.0f;         // speed scale of the next moon
};

// What a block parser works with: the lines (positioned on the block's opening line), the
// list its object joins, and the script's state.
class ObjectScriptContext {
public:
    ScriptLines& lines;
    ObjectList& target;
    ObjectScriptState state;
};

// Opens the named member (from the data package unless told otherwise) and reads it into
// target.
void loadObjectScript(ObjectList& target, const char* memberName,
                      const MemberOpener& openMember = openPackageMember);
// Reads a whole object script from file into target, up to "ENDWORLD" or the end of the data.
void readObjectScript(ObjectList& target, MemoryFile& file);

}  // namespace tarnel
