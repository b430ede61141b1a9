// The "mesh" block: a named mesh drawing the model of the latest "geometry" line. The
// keyword table is the reference for the block; the four lines after "material" belong to
// the material and are tested only for their own place in it.
#include "assets/mesh_lists.h"
#include "scene/mesh.h"
#include "script/block_fields.h"
#include "script/object_blocks.h"

#include <memory>

namespace tarnel {

namespace {

// What a mesh line may touch: the mesh, and the lines (the material block reads on).
class MeshBlock {
public:
    Mesh& object;
    ScriptLines& lines;
};

void readOrient(MeshBlock& block, const char* line, const char* format) {
    Mesh& m = block.object;
    scanValues(line, format, m.orientAxis.x, m.orientAxis.y, m.orientAxis.z, m.orientAngle);
}

// Four lines, whatever they hold: metal, chrome, the texture map and a second map that
// nothing uses. The tab is part of each test, so space-indented lines never match; a
// material line always decides both flags.
void readMaterial(MeshBlock& block, const char*, const char*) {
    Mesh& mesh = block.object;
    ScriptLines& lines = block.lines;
    mesh.metal = lines.next() && lines.startsWith("\tmetal");
    mesh.chrome = lines.next() && lines.startsWith("\tchrome");
    if (lines.next() && lines.startsWith("\tmap1")) readTextureLine(mesh, lines.line(), "\tmap1 %s");
    lines.next();
}

using Rule = KeywordRule<MeshBlock>;

const Rule kMeshKeywords[] = {
    {"orient", "orient V(%f %f %f) %f", readOrient},
    {"position", "position V(%f %f %f)", readVectorField<&SceneObject::position>},
    {"look", "look V(%f %f %f)", readVectorField<&SceneObject::look>},
    {"right", "right V(%f %f %f)", readVectorField<&SceneObject::right>},
    {"material", nullptr, readMaterial},
    {"scale", "scale %f", readFloatField<&Mesh::scale>},
    {"speed", "speed %f", readFloatField<&Mesh::speed>},
    {"light", nullptr, setFlagField<&Mesh::light>},
    {"illum", nullptr, setFlagField<&Mesh::illum>},
    {"invup", nullptr, setFlagField<&Mesh::invup>},
    {"blend", nullptr, setFlagField<&Mesh::blend>},
    {"tiling", "tiling %f", readFloatField<&Mesh::tiling>},
    {"color", "color V(%f %f %f)", readVectorField<&SceneObject::color>},
};

}  // namespace

void parseMeshBlock(ObjectScriptContext& context) {
    auto mesh = std::make_unique<Mesh>();
    if (!readBlockBegin(context.lines, mesh->name, sizeof mesh->name)) return;
    // The model current now: a later "geometry" line does not change this mesh.
    mesh->displayList = fixedMeshLists().geometryList;
    MeshBlock block{*mesh, context.lines};
    readBlockLines(context, kMeshKeywords, block);
    appendObject(context, std::move(mesh));
}

}  // namespace tarnel
