// FormatMessageA over the system's message table, without the line break it ends with.
#include "platform/win32/error_text.h"

#include <windows.h>

namespace tarnel::platform {

std::string systemErrorText(unsigned long code) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                                  sizeof text, nullptr);
    std::string words(text, length);
    while (!words.empty() && (words.back() == '\n' || words.back() == '\r' || words.back() == ' ')) words.pop_back();
    return words.empty() ? "error " + std::to_string(code) : words;
}

}  // namespace tarnel::platform
