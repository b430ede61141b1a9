#include "platform/native_message_box.h"

#include <SDL2/SDL.h>

namespace tarnel::platform {

// Fails at once, and harmlessly, where there is no display.
void showNativeMessageBox(const std::string& text, const std::string& caption) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption.c_str(), text.c_str(), nullptr);
}

}  // namespace tarnel::platform
