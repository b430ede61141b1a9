// Out-of-line destructor, so the base's virtual table lives in one translation unit.
#include "scene/scene_object.h"

namespace tarnel {

SceneObject::~SceneObject() = default;

}  // namespace tarnel
