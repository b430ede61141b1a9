// Reading the environment file: "env" blocks between which only "ENV_END" counts, and
// inside which every "firstpass" and "postpass" line reads one more object script.
#include "script/environment.h"
#include "script/named_list.h"
#include "script/reader_findings.h"
#include "script/script_lines.h"

namespace tarnel {

namespace {

// A pass line whose member name does not scan reads nothing.
void readPassScript(const ScriptLines& lines, const char* format, ObjectList& target,
                    const ObjectScriptLoader& readScript) {
    char member[MemoryFile::kNameSize];
    checkWordFits(lines, 1, sizeof member, "member name");
    if (lines.scan(format, member) == 1) readScript(target, member);
}

}  // namespace

Environment::~Environment() = default;

void parseEnvironments(EnvironmentList& environments, MemoryFile& file,
                       const ObjectScriptLoader& readScript) {
    ScriptLines lines(file);
    while (lines.seekBlock("env", "ENV_END")) {
        auto environment = std::make_unique<Environment>();
        checkWordFits(lines, 1, sizeof environment->name, "environment name");
        lines.scan("env %s", environment->name);
        while (lines.nextInBlock()) {
            if (findingsWanted() && !lines.startsWith("firstpass") && !lines.startsWith("postpass"))
                checkNearMiss(lines, {"firstpass", "postpass", "end"});
            if (lines.startsWith("firstpass")) {
                readPassScript(lines, "firstpass %s", environment->firstpass, readScript);
            }
            if (lines.startsWith("postpass")) {
                readPassScript(lines, "postpass %s", environment->postpass, readScript);
            }
        }
        checkTerminated(lines, "end", "block");
        environments.push_back(std::move(environment));
    }
    checkTerminated(lines, "ENV_END", "environment file");
}

Environment* findEnvironment(const EnvironmentList& environments, const char* name) { return findNamed(environments, name); }

}  // namespace tarnel
