// The process-wide scene object store: one record, reached through one accessor.
#include "scene/object_store.h"

namespace tarnel {

SceneObjectStore& sceneObjectStore() {
    static SceneObjectStore store;
    return store;
}

}  // namespace tarnel
