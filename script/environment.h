// Environments of "env.txt": named pairs of object lists drawn before (first pass) and after
// (post pass) the objects of every world that names them.
#pragma once

#include "assets/memory_file.h"
#include "scene/object_list.h"
#include "script/object_script.h"

#include <cstddef>
#include <list>
#include <memory>

namespace tarnel {

class Environment {
public:
    static constexpr std::size_t kNameSize = 20;

    Environment() = default;
    Environment(const Environment&) = delete;
    Environment& operator=(const Environment&) = delete;
    virtual ~Environment();

    char name[kNameSize] = {};
    ObjectList firstpass;  // objects of the "firstpass" scripts, in script order
    ObjectList postpass;   // objects of the "postpass" scripts, in script order
};

// The environments in file order. The list owns them; worlds point at their lists, so it
// must outlive every world list read against it.
using EnvironmentList = std::list<std::unique_ptr<Environment>>;

// Reads an environment file from file, appending its environments.
void parseEnvironments(EnvironmentList& environments, MemoryFile& file,
                       const ObjectScriptLoader& readScript);
// Opens the named member (from the data package unless told otherwise) and reads it, with
// the object scripts it names opened the same way.
void loadEnvironments(EnvironmentList& environments, const char* memberName,
                      const MemberOpener& openMember = openPackageMember);
// The first environment whose name is exactly name, or null.
Environment* findEnvironment(const EnvironmentList& environments, const char* name);

}  // namespace tarnel
