// The window system's own modal message box with one OK button, owned by no window; each
// backend has one. Only message_box.cpp calls it.
#pragma once

#include <string>

namespace tarnel::platform {

void showNativeMessageBox(const std::string& text, const std::string& caption);
// Asked by an open native box that can be closed from outside: false once it must close.
bool messageBoxWanted();

}  // namespace tarnel::platform
