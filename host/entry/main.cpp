// The tarnel executable: screensaver, test, configuration and preview modes.
#include "host/startup.h"
#include "platform/message_box_helper.h"

#include <string>
#include <vector>

int main(int argc, char** argv) {
    // A copy of the program started to show one message box shows it and does nothing else.
    if (std::optional<int> status = tarnel::platform::serveMessageBox(argc, argv)) return *status;
    std::vector<std::string> args(argv, argv + argc);
    return tarnel::runTarnel(args);
}
