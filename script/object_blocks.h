// The definition-block parsers, one per kind, each in its own file (script/<kind>_block.cpp).
// A parser is called with the lines on the block's opening line; it reads the block to its
// "end" and appends the object it defines to the context's target list.
#pragma once

#include "script/object_reader.h"

namespace tarnel {

using BlockParser = void (*)(ObjectScriptContext& context);

void parseSphereBlock(ObjectScriptContext& context);
void parseBillboardBlock(ObjectScriptContext& context);
void parseFlareBlock(ObjectScriptContext& context);
void parseMeshBlock(ObjectScriptContext& context);
void parseFlameBlock(ObjectScriptContext& context);
void parsePsBlock(ObjectScriptContext& context);

}  // namespace tarnel
