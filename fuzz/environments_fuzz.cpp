// Fuzzes the environment reader: the input is read as "env.txt", and every object script
// it names is the input itself read as a script.
#include "fuzz/script_fuzz_input.h"
#include "scene/object_store.h"
#include "script/environment.h"

#include <cstddef>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    tarnel::ObjectScriptLoader readInputAsScript = tarnel::fuzz::inputAsObjectScript(bytes);
    tarnel::MemoryFile file;
    file.openBytes("env.txt", bytes);
    tarnel::EnvironmentList environments;
    tarnel::parseEnvironments(environments, file, readInputAsScript);
    for (const auto& environment : environments) {
        if (tarnel::findEnvironment(environments, environment->name) == nullptr) __builtin_trap();
    }
    // The scripts' objects live in the process-wide store: without this they would pile up
    // over millions of inputs until the fuzzer runs out of memory.
    environments.clear();
    tarnel::sceneObjectStore().clear();
    return 0;
}
