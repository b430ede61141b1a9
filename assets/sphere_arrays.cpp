// The in-memory sphere.
#include "assets/sphere_arrays.h"

namespace tarnel {

SphereArrays& sphereArrays() {
    // Written once while the scene loads, read by the sphere objects every frame.
    static SphereArrays arrays;
    return arrays;
}

void loadSphereArrays(SphereArrays& arrays, const char* memberName, const MemberOpener& openMember) {
    MemoryFile file;
    openMember(file, memberName);
    arrays = parseMeshFile(file.data.data(), file.size, false);
    file.close();
}

}  // namespace tarnel
