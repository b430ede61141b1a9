// The loaders the saver calls: each opens its member and has the object scripts it names
// opened through the same opener, so a whole scene comes from one source.
#include "script/environment.h"
#include "script/world.h"

namespace tarnel {

namespace {

ObjectScriptLoader objectScriptsFrom(const MemberOpener& openMember) {
    return [&openMember](ObjectList& target, const char* memberName) {
        loadObjectScript(target, memberName, openMember);
    };
}

}  // namespace

void loadEnvironments(EnvironmentList& environments, const char* memberName, const MemberOpener& openMember) {
    MemoryFile file;
    openMember(file, memberName);
    parseEnvironments(environments, file, objectScriptsFrom(openMember));
}

void loadWorlds(WorldList& worlds, const EnvironmentList& environments, const char* memberName,
                const MemberOpener& openMember) {
    MemoryFile file;
    openMember(file, memberName);
    parseWorlds(worlds, environments, file, objectScriptsFrom(openMember));
}

}  // namespace tarnel
