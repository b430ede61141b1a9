// Compiling mesh files into display lists. Each list is one GL_TRIANGLES batch; the model-
// view matrix is set to identity while compiling and restored after.
#include "assets/mesh_lists.h"

#include <GL/gl.h>

#include "assets/findings.h"
#include "assets/list_summary.h"
#include "assets/mesh_file.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace tarnel {

namespace {

// What the parser dropped: the whole mesh when the file is shorter than its header or than
// the sections its header counts, or the triangles with indices outside their arrays or
// values that are no numbers.
void reportMeshDamage(const char* memberName, const MemoryFile& file, const MeshArrays& mesh) {
    const std::string mesh_ = "mesh \"" + std::string(memberName) + "\"";
    const std::string bytes = std::to_string(file.size) + " bytes";
    if (file.size < kMeshHeaderBytes) {
        reportAtReadingPlace(memberName, mesh_ + " has " + bytes + ", too few for its " +
                                             std::to_string(kMeshHeaderBytes) + "-byte header; it draws nothing");
        return;
    }
    std::uint32_t counts[3] = {};
    for (int c = 0; c < 3; ++c)
        for (int i = 3; i >= 0; --i) counts[c] = counts[c] << 8 | file.data[static_cast<std::size_t>(4 * c + i)];
    const std::uint64_t needed = meshFileBytes(counts[0], counts[1], counts[2]);
    if (needed > file.size) {
        reportAtReadingPlace(memberName, mesh_ + ": header says " + std::to_string(counts[0]) + " vertices, " +
                                             std::to_string(counts[1]) + " triangles and " + std::to_string(counts[2]) +
                                             " texture coordinates (" + std::to_string(needed) +
                                             " bytes) but the member has " + bytes + "; it draws nothing");
        return;
    }
    if (mesh.outOfRange > 0)
        reportAtReadingPlace(memberName, mesh_ + ": " + std::to_string(mesh.outOfRange) +
                                             " triangle(s) with indices out of range dropped");
    if (mesh.notFinite > 0)
        reportAtReadingPlace(memberName, mesh_ + ": " + std::to_string(mesh.notFinite) +
                                             " triangle(s) with NaN or infinite values dropped");
}

MeshArrays readMesh(const char* memberName, bool jitter, const MemberOpener& openMember) {
    MemoryFile file;
    openMember(file, memberName);
    MeshArrays mesh = parseMeshFile(file.data.data(), file.size, jitter);
    if (findingsWanted() && file.size > 0) reportMeshDamage(memberName, file, mesh);
    file.close();
    return mesh;
}

using AlphaOf = float (*)(float x);

// One triangle list; with alphaOf, each corner first emits white with that alpha.
void compileTriangles(GLuint list, const MeshArrays& mesh, AlphaOf alphaOf) {
    ListSummary summary;
    summary.coloured = alphaOf != nullptr;
    glPushMatrix();
    glLoadIdentity();
    glNewList(list, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    for (std::uint32_t i = 0; i < mesh.triangleCount; ++i) {
        for (int corner = 0; corner < 3; ++corner) {
            std::uint32_t v = mesh.vertexIndex[corner][i];
            std::uint32_t t = mesh.texCoordIndex[corner][i];
            const float normal[3] = {mesh.normal[corner * 3][i], mesh.normal[corner * 3 + 1][i],
                                     mesh.normal[corner * 3 + 2][i]};
            if (alphaOf) {
                summary.colour[3] = alphaOf(mesh.x[v]);
                glColor4fv(summary.colour);
            }
            glNormal3fv(normal);
            glTexCoord2f(mesh.s[t], mesh.t[t]);
            glVertex3f(mesh.x[v], mesh.y[v], mesh.z[v]);
            std::copy(normal, normal + 3, summary.normal);
            summary.texCoord[0] = mesh.s[t];
            summary.texCoord[1] = mesh.t[t];
            summary.extent = std::max(summary.extent, std::sqrt(mesh.x[v] * mesh.x[v] + mesh.y[v] * mesh.y[v] +
                                                                mesh.z[v] * mesh.z[v]));
            summary.hasCorners = true;
        }
    }
    glEnd();
    glEndList();
    glPopMatrix();
    glFinish();
    recordListSummary(list, summary);
}

}  // namespace

FixedMeshLists& fixedMeshLists() {
    // Built while the scene loads; geometryList changes as the object scripts are read.
    static FixedMeshLists lists;
    return lists;
}

float atmoAlpha(float x) { return 3.0f * x * x - 0.6f; }
float scatterAlpha(float x) { return 1.6f * x + 1.6f; }

int buildMeshList(std::uint32_t& displayList, const char* memberName, bool jitter, const MemberOpener& openMember) {
    GLuint list = glGenLists(1);
    if (list == 0) return kNoDisplayList;
    MeshArrays mesh = readMesh(memberName, jitter, openMember);
    compileTriangles(list, mesh, nullptr);
    displayList = list;
    return kMeshListBuilt;
}

void buildShellLists(FixedMeshLists& lists, const char* memberName, const MemberOpener& openMember) {
    GLuint atmo = glGenLists(1);
    if (atmo == 0) return;
    GLuint scatter = glGenLists(1);
    if (scatter == 0) {
        glDeleteLists(atmo, 1);
        return;
    }
    MeshArrays mesh = readMesh(memberName, false, openMember);
    compileTriangles(atmo, mesh, atmoAlpha);
    compileTriangles(scatter, mesh, scatterAlpha);
    lists.atmoList = atmo;
    lists.scatterList = scatter;
}

void loadFixedMeshes(FixedMeshLists& lists, const MemberOpener& openMember) {
    forgetListSummaries();
    buildMeshList(lists.envList, "meshes\\env.dat", false, openMember);
    buildMeshList(lists.sphereList, "meshes\\sphere.dat", false, openMember);
    buildMeshList(lists.noisedSphereList, "meshes\\sphere.dat", true, openMember);
    buildShellLists(lists, "meshes\\sphere.dat", openMember);
}

}  // namespace tarnel
