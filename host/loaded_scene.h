// The scene as loaded for the run: the records own the worlds and environments, whose lists
// point at the objects in the scene object store. The current world is chosen once, after
// loading, and does not change.
#pragma once

#include "script/environment.h"
#include "script/world.h"

#include <ostream>

namespace tarnel {

class LoadedScene {
public:
    EnvironmentList environments;
    WorldList worlds;
    World* current = nullptr;
};

// The one scene of the process.
LoadedScene& loadedScene();

// The worlds (with the environment each names) and the environments, every object with all
// its fields, as JSON in list order.
void writeSceneDump(const LoadedScene& scene, std::ostream& out);

}  // namespace tarnel
