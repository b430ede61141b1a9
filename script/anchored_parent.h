// The "parent %s V(%f %f %f)" line of billboards and flares: an earlier object of the same
// list to hang from, and the anchor offset from it. A name the list does not hold leaves no
// parent and marks the object as one that cannot be placed (it is then not drawn).
#pragma once

#include "script/line_scan.h"
#include "script/object_reader.h"

namespace tarnel {

template <class Kind>
void readAnchoredParent(Kind& object, const ObjectList& earlier, const char* line, const char* format) {
    object.parent = findParent(earlier, line, format);
    object.parentNotFound = object.parent == nullptr;
    char word[SceneObject::kNameSize] = {};
    scanValues(line, format, word, object.anchor.x, object.anchor.y, object.anchor.z);
}

}  // namespace tarnel
