// Worlds: the named scenes of the world list "worlds.txt", each with its own objects and
// the first-pass and post-pass lists of the environment it names.
#pragma once

#include "assets/memory_file.h"
#include "scene/object_list.h"
#include "script/environment.h"
#include "script/object_script.h"

#include <cstddef>
#include <list>
#include <memory>

namespace tarnel {

class World {
public:
    static constexpr std::size_t kSceneDirSize = 50;
    static constexpr std::size_t kNameSize = 20;

    World();
    World(const World&) = delete;
    World& operator=(const World&) = delete;
    virtual ~World();

    ObjectList objects;             // the world's own objects, in script order
    const ObjectList* firstpass;    // the environment's list itself; never null (an empty
    const ObjectList* postpass;     // list when the world names no known environment)
    char scenedir[kSceneDirSize] = {};
    char name[kNameSize] = " ";     // a single space until the block names the world
    bool system = false;            // light the scene from the origin
};

// The worlds in block order. The list owns them; everything else points at them.
using WorldList = std::list<std::unique_ptr<World>>;

// Reads a world list from file, appending its worlds; "objects" lines go to readScript.
void parseWorlds(WorldList& worlds, const EnvironmentList& environments, MemoryFile& file,
                 const ObjectScriptLoader& readScript);
// Opens the named member (from the data package unless told otherwise) and reads it, with
// the object scripts it names opened the same way.
void loadWorlds(WorldList& worlds, const EnvironmentList& environments, const char* memberName,
                const MemberOpener& openMember = openPackageMember);
// The first world whose name is exactly name, or null.
World* findWorld(const WorldList& worlds, const char* name);

}  // namespace tarnel
