// Reading the world list: "world" blocks between which only "WORLD_END" counts, and inside
// which "env", "objects", "system" and "scenedir" lines are tested, in that order.
#include "script/named_list.h"
#include "script/reader_findings.h"
#include "script/script_lines.h"
#include "script/world.h"

namespace tarnel {

namespace {

// What a world without a known environment draws before and after its own objects.
const ObjectList& noObjects() {
    static const ObjectList empty;
    return empty;
}

void applyWorldLine(World& world, const ScriptLines& lines, const EnvironmentList& environments,
                    const ObjectScriptLoader& readScript) {
    if (lines.startsWith("env")) {
        // Cut like the names in "env.txt", so a long name still finds its environment.
        char name[Environment::kNameSize];
        if (lines.scan("env %s", name) == 1) {
            const Environment* environment = findEnvironment(environments, name);
            if (environment == nullptr) lines.report("environment " + quoted(name) + " is not defined in the environment file");
            world.firstpass = environment ? &environment->firstpass : &noObjects();
            world.postpass = environment ? &environment->postpass : &noObjects();
        }
    }
    if (lines.startsWith("objects")) {
        char member[MemoryFile::kNameSize];
        checkWordFits(lines, 1, sizeof member, "member name");
        if (lines.scan("objects %s", member) == 1) readScript(world.objects, member);
    }
    if (lines.startsWith("system")) world.system = true;
    if (lines.startsWith("scenedir")) checkWordFits(lines, 1, sizeof world.scenedir, "scene folder");
    if (lines.startsWith("scenedir")) lines.scan("scenedir %s", world.scenedir);
}

}  // namespace

World::World() : firstpass(&noObjects()), postpass(&noObjects()) {}

World::~World() = default;

void parseWorlds(WorldList& worlds, const EnvironmentList& environments, MemoryFile& file,
                 const ObjectScriptLoader& readScript) {
    ScriptLines lines(file);
    while (lines.seekBlock("world", "WORLD_END")) {
        auto world = std::make_unique<World>();
        checkWordFits(lines, 1, sizeof world->name, "world name");
        lines.scan("world %s", world->name);
        while (lines.nextInBlock()) {
            checkNearMiss(lines, {"env", "objects", "system", "scenedir", "end"});
            applyWorldLine(*world, lines, environments, readScript);
        }
        checkTerminated(lines, "end", "block");
        worlds.push_back(std::move(world));
    }
    checkTerminated(lines, "WORLD_END", "world file");
}

World* findWorld(const WorldList& worlds, const char* name) { return findNamed(worlds, name); }

}  // namespace tarnel
