// Keyword actions that only store a scanned value in a field, shared by the block parsers
// whose block record names its object `object`. A line whose values do not scan leaves the
// field as it was.
#pragma once

#include "camera/vector3.h"
#include "script/line_scan.h"

namespace tarnel {

template <auto Field, class Block>
void readFloatField(Block& block, const char* line, const char* format) {
    float value = 0.0f;
    if (scanValues(line, format, value) == 1) block.object.*Field = value;
}

template <auto Field, class Block>
void readVectorField(Block& block, const char* line, const char* format) {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    if (scanValues(line, format, x, y, z) == 3) (block.object.*Field).set(x, y, z);
}

template <auto Flag, class Block>
void setFlagField(Block& block, const char*, const char*) {
    block.object.*Flag = true;
}

}  // namespace tarnel
