#include "platform/message_box.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <utility>

namespace tarnel::platform {

namespace {
MessageBoxHandler& messageBoxHandler() {
    static MessageBoxHandler handler;
    return handler;
}
}  // namespace

void setMessageBoxHandler(MessageBoxHandler handler) { messageBoxHandler() = std::move(handler); }

void showMessageBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (messageBoxHandler()) {
        messageBoxHandler()(text, caption);
        return;
    }
    // Fails at once, and harmlessly, where there is no display.
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
}

}  // namespace tarnel::platform
