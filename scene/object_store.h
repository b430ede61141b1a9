// The owner of every scene object. Objects are made while the scene loads and live until
// the process ends; worlds, environments and frame lists only point at them, so an object's
// address never changes and no list has to care who frees it.
#pragma once

#include "scene/scene_object.h"

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

namespace tarnel {

class SceneObjectStore {
public:
    // Takes the object over and returns it, for the caller to append to its list.
    template <class Kind>
    Kind* keep(std::unique_ptr<Kind> object) {
        Kind* kept = object.get();
        if (kept != nullptr) objects.push_back(std::move(object));
        return kept;
    }

    std::size_t count() const { return objects.size(); }

    // Frees every object. Only for processes that load many scenes (fuzzers, tools), after
    // every list that points at the objects has been emptied.
    void clear() { objects.clear(); }

private:
    std::vector<std::unique_ptr<SceneObject>> objects;
};

// The one store of the process.
SceneObjectStore& sceneObjectStore();

}  // namespace tarnel
