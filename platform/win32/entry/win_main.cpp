// tarnel.scr's entry: the system starts a screensaver as a GUI program with /s, /t, /c [N] or
// /p N. The switch parser reads the raw line from GetCommandLineA; the C runtime's split of
// the same line gives our own options (--headless, --frames ...) for tests.
#include "host/startup.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> args(__argv, __argv + __argc);
    const std::string line = GetCommandLineA();
    return tarnel::runTarnel(args, &line);
}
