// For the script fuzzers: an object-script loader that reads the fuzz input itself as
// every script a file names, so one input exercises both readers.
#pragma once

#include "script/object_script.h"

#include <cstdint>
#include <vector>

namespace tarnel::fuzz {

inline ObjectScriptLoader inputAsObjectScript(const std::vector<std::uint8_t>& bytes) {
    return [&bytes](ObjectList& target, const char*) {
        MemoryFile script;
        script.openBytes("objects.txt", bytes);
        readObjectScript(target, script);
    };
}

}  // namespace tarnel::fuzz
