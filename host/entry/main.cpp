// The tarnel executable: screensaver, test, configuration and preview modes.
#include "host/startup.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> args(argv, argv + argc);
    return tarnel::runTarnel(args);
}
