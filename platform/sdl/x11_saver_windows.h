// What the SDL backend adds under X11 to the windows of a saver run: the screen's own
// connection (monitors, the mode from before the run, gamma), X errors that never end the
// process, a main window whose loss ends the run, windows kept above every other, and the
// keyboard and pointer held by the full-screen window. Without SDL's X11 driver it does
// nothing and reports nothing lost.
#pragma once

#include "platform/platform.h"
#include "platform/x11/x11_screen.h"

#include <SDL2/SDL.h>

#include <chrono>
#include <memory>

namespace tarnel::platform {

class X11SaverWindows {
public:
    enum class Role { Main, Black, Host };

    X11SaverWindows();

    // The screen's own connection; null without X11.
    X11Screen* screen() { return screen_.get(); }

    // A window just made (Main, Black) or taken over (Host, another program's window).
    void adopt(SDL_Window* window, Role role);
    // The main full-screen window is shown: it takes the keyboard and the pointer.
    void mainShown(SDL_Window* window);
    // Once per poll: the screen's events, and the input grabs taken again where SDL or
    // another program took them away.
    void poll();
    // Before SDL destroys the windows, and after.
    void windowsClosing();
    void windowsClosed();

    bool lost() const;
    bool connectionLost() const;
    // The window's area in screen pixels; empty when it cannot be told.
    Rect windowArea(SDL_Window* window);

private:
    void takeInput();

    std::unique_ptr<X11Screen> screen_;
    Display* sdlDisplay_ = nullptr;         // SDL's own connection, once a window exists
    SDL_Window* grabber_ = nullptr;         // the shown full-screen window
    bool inputTaken_ = false;
    std::chrono::steady_clock::time_point nextInputTry_{};
};

}  // namespace tarnel::platform
