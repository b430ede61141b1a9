// Keyword actions that only store a scanned value in a field, shared by the block parsers
// whose block record names its object `object`, and the vector scan every block uses. A line
// whose values do not scan leaves the field as it was.
#pragma once

#include "camera/vector3.h"
#include "script/line_scan.h"

namespace tarnel {

template <auto Field, class Block>
void readFloatField(Block& block, const char* line, const char* format) {
    float value = 0.0f;
    if (scanValues(line, format, value) == 1) block.object.*Field = value;
}

// Scans x, y and z in turn, as the value scanner does any list of targets: the components
// that scanned are written and counted, the rest keep their values.
inline int scanVector(Vector3& into, const char* line, const char* format) {
    return scanValues(line, format, into.x, into.y, into.z);
}

// Stores the vector only when all three components scanned.
template <auto Field, class Block>
void readVectorField(Block& block, const char* line, const char* format) {
    Vector3 scanned;
    if (scanVector(scanned, line, format) == 3) block.object.*Field = scanned;
}

template <auto Flag, class Block>
void setFlagField(Block& block, const char*, const char*) {
    block.object.*Flag = true;
}

}  // namespace tarnel
