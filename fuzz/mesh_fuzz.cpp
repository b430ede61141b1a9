// Fuzzes the mesh file parser: whatever the counts and indices say, the arrays it returns
// must be as long as its counts and every index must lie inside its array.
#include <cstdint>
#include <cstdlib>

#include "assets/mesh_file.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    bool jitter = size % 2 == 1;
    tarnel::MeshArrays mesh = tarnel::parseMeshFile(data, size, jitter);
    check(mesh.x.size() == mesh.vertexCount && mesh.s.size() == mesh.texCoordCount);
    for (int corner = 0; corner < 3; ++corner) {
        check(mesh.vertexIndex[corner].size() == mesh.triangleCount);
        check(mesh.texCoordIndex[corner].size() == mesh.triangleCount);
        for (std::uint32_t i = 0; i < mesh.triangleCount; ++i) {
            check(mesh.vertexIndex[corner][i] < mesh.vertexCount);
            check(mesh.texCoordIndex[corner][i] < mesh.texCoordCount);
        }
    }
    for (const auto& component : mesh.normal) check(component.size() == mesh.triangleCount);
    return 0;
}
