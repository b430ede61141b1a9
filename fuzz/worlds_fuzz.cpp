// Fuzzes the world-list reader: the input is read as "worlds.txt" against two fixed
// environments, and every object script it names is the input itself read as a script.
#include "fuzz/script_fuzz_input.h"
#include "scene/object_store.h"
#include "script/environment.h"
#include "script/world.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> bytes(data, data + size);
    tarnel::ObjectScriptLoader readInputAsScript = tarnel::fuzz::inputAsObjectScript(bytes);

    const std::string envText = "env deep\nend\nenv bare\nend\nENV_END\n";
    tarnel::MemoryFile envFile;
    envFile.openBytes("env.txt", std::vector<std::uint8_t>(envText.begin(), envText.end()));
    tarnel::EnvironmentList environments;
    tarnel::parseEnvironments(environments, envFile, readInputAsScript);

    tarnel::MemoryFile file;
    file.openBytes("worlds.txt", bytes);
    tarnel::WorldList worlds;
    tarnel::parseWorlds(worlds, environments, file, readInputAsScript);
    for (const auto& world : worlds) {
        if (tarnel::findWorld(worlds, world->name) == nullptr) __builtin_trap();
        if (world->firstpass == nullptr || world->postpass == nullptr) __builtin_trap();
    }
    // The scripts' objects live in the process-wide store: without this they would pile up
    // over millions of inputs until the fuzzer runs out of memory.
    worlds.clear();
    environments.clear();
    tarnel::sceneObjectStore().clear();
    return 0;
}
