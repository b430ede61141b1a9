// Fuzzes the object-script reader: the input is read as an object script into one list, and
// every "geometry" line's mesh member is the input again, compiled into a display list on an
// offscreen context. The objects are then drawn and updated once, so whatever the reader
// leaves in a field is also exercised by the sphere.
#include "assets/mesh_lists.h"
#include "camera/camera_director.h"
#include "platform/offscreen_gl.h"
#include "scene/object_store.h"
#include "scene/scene_object.h"
#include "script/object_script.h"

#include <GL/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace {

// The harness's one context, made with the first input; without it, geometry lines would
// build no lists.
tarnel::platform::OffscreenGl* fuzzContext() {
    static std::unique_ptr<tarnel::platform::OffscreenGl> gl = tarnel::platform::OffscreenGl::create(16, 16);
    return gl.get();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bool drawable = fuzzContext() != nullptr;
    std::vector<std::uint8_t> bytes(data, data + size);
    tarnel::MemberOpener inputAsMember = [&bytes](tarnel::MemoryFile& file, const char* name) {
        file.openBytes(name, bytes);
        return 1;
    };
    tarnel::MemoryFile script;
    script.openBytes("objects.txt", bytes);
    tarnel::ObjectList target;
    tarnel::readObjectScript(target, script, inputAsMember);

    for (tarnel::SceneObject* object : target) {
        if (object == nullptr) __builtin_trap();
        if (object->name[tarnel::SceneObject::kNameSize - 1] != '\0') __builtin_trap();
        if (object->parent == object) __builtin_trap();
        object->update(0.02);
        if (drawable) object->draw(tarnel::cameraDirector());
    }

    // Lists and objects would otherwise pile up over millions of inputs.
    target.clear();
    tarnel::sceneObjectStore().clear();
    std::uint32_t& geometry = tarnel::fixedMeshLists().geometryList;
    if (drawable && geometry != 0) glDeleteLists(1, static_cast<GLsizei>(geometry));
    geometry = 0;
    return 0;
}
