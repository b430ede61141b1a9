// The object-script reader: one script's definition blocks become scene objects appended
// to a target list (a world's own objects, or an environment's first-pass or post-pass list).
#pragma once

#include "assets/member_opener.h"
#include "assets/memory_file.h"
#include "scene/object_list.h"

#include <functional>

namespace tarnel {

// How the world and environment readers have a named object script read into a list: the
// saver passes loadObjectScript; tests and tools pass readers over bytes of their own.
using ObjectScriptLoader = std::function<void(ObjectList& target, const char* memberName)>;

// Opens the named member (from the data package unless told otherwise) and reads it into
// target.
void loadObjectScript(ObjectList& target, const char* memberName,
                      const MemberOpener& openMember = openPackageMember);
// Reads a whole object script from file into target, up to "ENDWORLD" or the end of the data;
// the members of "geometry" lines come through openMember.
void readObjectScript(ObjectList& target, MemoryFile& file, const MemberOpener& openMember = openPackageMember);

}  // namespace tarnel
