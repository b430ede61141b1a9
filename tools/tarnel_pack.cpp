// tarnel-pack: the data package tool. Dispatches to one subcommand from a table, so adding
// a command is one line here and one function.
#include "tools/pack_commands.h"

#include <cstdio>
#include <cstring>

namespace {

struct Command {
    const char* name;
    const char* usage;
    int (*run)(const tarnel::pack::Arguments&);
};

const Command kCommands[] = {
    {"list", "list ARCHIVE [-p PASSWORD]          members, sizes, method, CRC", tarnel::pack::listCommand},
    {"extract", "extract ARCHIVE MEMBER [-o FILE] [-p PASSWORD]   to FILE or standard output",
     tarnel::pack::extractCommand},
    {"build", "build DIR -o ARCHIVE [--password PASSWORD]   every file under DIR, stored (encrypted under PASSWORD)",
     tarnel::pack::buildCommand},
    {"unpack", "unpack ARCHIVE DIR [-p PASSWORD]    every member into its folder under DIR",
     tarnel::pack::unpackCommand},
    {"test", "test ARCHIVE [-p PASSWORD]          extract every member and check its CRC",
     tarnel::pack::testCommand},
    {"check", "check ARCHIVE                        load it as the saver does; list findings as member:line: message",
     tarnel::pack::checkCommand},
};

void printUsage() {
    std::fprintf(stderr, "usage: tarnel-pack COMMAND ...\n");
    for (const Command& command : kCommands) std::fprintf(stderr, "  tarnel-pack %s\n", command.usage);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        printUsage();
        return tarnel::pack::kExitUsage;
    }
    for (const Command& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0)
            return command.run(tarnel::pack::Arguments(argv + 2, argv + argc));
    }
    const bool help = std::strcmp(argv[1], "-h") == 0 || std::strcmp(argv[1], "--help") == 0;
    if (!help) std::fprintf(stderr, "tarnel-pack: unknown command \"%s\"\n", argv[1]);
    printUsage();
    return help ? tarnel::pack::kExitOk : tarnel::pack::kExitUsage;
}
