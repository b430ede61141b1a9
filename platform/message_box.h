// Message boxes: the few messages the system shows a person. Each is also written to
// standard error. Tests and headless runs replace the box with a handler of their own.
#pragma once

#include <functional>
#include <string>

namespace tarnel::platform {

using MessageBoxHandler = std::function<void(const std::string& text, const std::string& caption)>;

// A handler replaces the on-screen box (the text still goes to standard error);
// an empty handler restores the box.
void setMessageBoxHandler(MessageBoxHandler handler);
void showMessageBox(const std::string& text, const std::string& caption);

}  // namespace tarnel::platform
