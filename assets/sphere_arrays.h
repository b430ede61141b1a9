// The unit sphere kept in memory for the effects that the sphere objects draw vertex by
// vertex. Filled once at the start of a saver run; every index in it is inside its array.
#pragma once

#include "assets/member_opener.h"
#include "assets/mesh_file.h"

namespace tarnel {

using SphereArrays = MeshArrays;

// The one in-memory sphere of the program.
SphereArrays& sphereArrays();

// Reads memberName ("meshes\sphere.dat") into arrays; a missing or damaged member leaves
// them empty.
void loadSphereArrays(SphereArrays& arrays, const char* memberName,
                      const MemberOpener& openMember = openPackageMember);

}  // namespace tarnel
