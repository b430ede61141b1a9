// The block rules every kind of definition shares.
#include "script/object_reader.h"

#include "assets/texture_table.h"
#include "scene/scene_object.h"
#include "script/line_scan.h"

#include <cstring>
#include <string>

namespace tarnel {

bool readBlockBegin(ScriptLines& lines, char* name, std::size_t nameCapacity) {
    if (!lines.seekLine("begin")) {
        lines.report("block ends without \"begin\"");
        return false;
    }
    if (name != nullptr) checkWordFits(lines, 1, nameCapacity, "name");
    // "begin" alone, or followed by spaces only, leaves the name empty.
    if (name != nullptr && std::strlen(lines.line()) > 5) scanValues(lines.line(), "begin %s", ScanTarget(name, nameCapacity));
    return true;
}

SceneObject* findParent(const ObjectList& list, const char* line, const char* format) {
    char word[SceneObject::kNameSize] = {};
    if (scanValues(line, format, word) != 1) return nullptr;
    for (SceneObject* object : list) {
        if (std::strcmp(object->name, word) == 0) return object;
    }
    reportAtReadingPlace("", "parent " + quoted(word) + " is not defined before this block");
    return nullptr;
}

void readTextureLine(SceneObject& object, const char* line, const char* format) {
    char path[MemoryFile::kLineSize] = {};
    scanValues(line, format, path);
    if (findingsWanted() && findTexture(textureTable(), path) == nullptr)
        reportAtReadingPlace("", "texture " + quoted(path) + " is not in \"texture.txt\"");
    setTexture(path, object.alphaTexture, object.textureId);
    object.hasTexture = true;
}

void checkSysParent(const ScriptLines& lines, int openingLine, const char* kind, bool sys, bool parentLineRead) {
    if (findingsWanted() && sys && !parentLineRead)
        lines.reportAt(openingLine, "\"sys\" " + std::string(kind) + " without a \"parent\" line is not drawn");
}

}  // namespace tarnel
