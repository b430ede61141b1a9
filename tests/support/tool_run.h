// Runs a built tool as a user would, through the shell: its exit status and what it printed.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

namespace tarnel::test {

struct ToolRun {
    int status = -1;
    std::string output;  // standard output and error together
};

// build/tools/tarnel-pack with the arguments, quoted by the caller.
inline ToolRun pack(const std::string& arguments) {
    const std::string command = std::string(TARNEL_BINARY_DIR) + "/tools/tarnel-pack " + arguments + " 2>&1";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return run;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
    const int raw = pclose(pipe);
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return run;
}

inline std::string quote(const std::filesystem::path& path) { return "'" + path.string() + "'"; }

}  // namespace tarnel::test
