// The object-script entry the world and environment readers call: each script is read
// through a memory file of its own, so the file that named it reads on where it stopped.
#include "script/object_script.h"

namespace tarnel {

void loadObjectScript(ObjectList& target, const char* memberName, const MemberOpener& openMember) {
    MemoryFile file;
    openMember(file, memberName);
    readObjectScript(target, file);
}

}  // namespace tarnel
