// Display lists compiled from mesh files, and the fixed lists every saver run builds: the
// sky shell, the plain and the noised unit sphere, the two shaded shells, and the model of
// the latest "geometry" line. Needs a current OpenGL context.
#pragma once

#include <cstdint>

#include "assets/member_opener.h"

namespace tarnel {

// The fixed display lists (0 until built). One record for the program; the object scripts
// read it when they parse a block and replace geometryList on each "geometry" line.
struct FixedMeshLists {
    std::uint32_t envList = 0;           // "meshes\env.dat"
    std::uint32_t sphereList = 0;        // "meshes\sphere.dat"
    std::uint32_t noisedSphereList = 0;  // "meshes\sphere.dat", jittered
    std::uint32_t atmoList = 0;          // sphere shell, alpha 3x^2 - 0.6
    std::uint32_t scatterList = 0;       // sphere shell, alpha 1.6x + 1.6
    std::uint32_t geometryList = 0;      // the latest "geometry" model
};
FixedMeshLists& fixedMeshLists();

constexpr int kMeshListBuilt = 5;
constexpr int kNoDisplayList = 4;

// Reads the mesh member and compiles it into a new display list stored in displayList:
// one triangle list, each corner giving its normal, texture coordinate and position. Returns
// kMeshListBuilt, or kNoDisplayList when no list name could be had (displayList unchanged,
// nothing read). A missing or damaged member compiles to an empty list.
int buildMeshList(std::uint32_t& displayList, const char* memberName, bool jitter,
                  const MemberOpener& openMember = openPackageMember);

// Compiles the mesh twice into atmoList and scatterList of lists, each corner white with an
// alpha from its x coordinate (atmo: 3x^2 - 0.6, scatter: 1.6x + 1.6, unclamped). When either
// list name cannot be had, neither is built.
void buildShellLists(FixedMeshLists& lists, const char* memberName,
                     const MemberOpener& openMember = openPackageMember);

// env, sphere and noised sphere, then the two shells.
void loadFixedMeshes(FixedMeshLists& lists, const MemberOpener& openMember = openPackageMember);

float atmoAlpha(float x);
float scatterAlpha(float x);

}  // namespace tarnel
