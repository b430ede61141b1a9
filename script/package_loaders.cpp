// The loaders the saver calls: each opens its member of the data package and has the object
// scripts it names read from the package as well.
#include "script/environment.h"
#include "script/world.h"

namespace tarnel {

void loadEnvironments(EnvironmentList& environments, const char* memberName) {
    MemoryFile file;
    file.open(memberName);
    parseEnvironments(environments, file, loadObjectScript);
}

void loadWorlds(WorldList& worlds, const EnvironmentList& environments, const char* memberName) {
    MemoryFile file;
    file.open(memberName);
    parseWorlds(worlds, environments, file, loadObjectScript);
}

}  // namespace tarnel
