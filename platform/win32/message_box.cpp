#include "platform/native_message_box.h"

#include <windows.h>

namespace tarnel::platform {

void showNativeMessageBox(const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK);
}

}  // namespace tarnel::platform
