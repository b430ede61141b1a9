// The list type that worlds, environments and the frame render keep scene objects in:
// pointers in definition order. A list never owns its objects; the scene object store does.
#pragma once

#include <list>

namespace tarnel {

class SceneObject;

using ObjectList = std::list<SceneObject*>;

}  // namespace tarnel
