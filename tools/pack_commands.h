// The subcommands of tarnel-pack. Each takes its own arguments (after the subcommand name)
// and returns the process exit status: 0 success, 1 bad data, 2 bad usage.
#pragma once

#include <string>
#include <vector>

namespace tarnel::pack {

using Arguments = std::vector<std::string>;

constexpr int kExitOk = 0;
constexpr int kExitFailed = 1;
constexpr int kExitUsage = 2;

int listCommand(const Arguments& args);
int extractCommand(const Arguments& args);
int buildCommand(const Arguments& args);
int unpackCommand(const Arguments& args);
int testCommand(const Arguments& args);
// 0 clean, 1 with findings (listed on standard output), 2 when the archive cannot be read.
int checkCommand(const Arguments& args);

}  // namespace tarnel::pack
