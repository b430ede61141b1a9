// Message boxes: the few messages the system shows a person. Each is also written to
// standard error. Tests and headless runs replace the box with a handler of their own.
#pragma once

#include <functional>
#include <string>

namespace tarnel::platform {

using MessageBoxHandler = std::function<void(const std::string& text, const std::string& caption)>;
using MessageBoxCondition = std::function<bool()>;

// A handler replaces the on-screen box (the text still goes to standard error);
// an empty handler restores the box.
void setMessageBoxHandler(MessageBoxHandler handler);
// Whether a box may be on screen, asked before each box and again while one is open: when it
// says no, the text goes to standard error only and an open box closes. A run inside another
// program's window, an offscreen run and a run that a stop signal ends show none. Empty: yes.
void setMessageBoxCondition(MessageBoxCondition shown);
void showMessageBox(const std::string& text, const std::string& caption);

}  // namespace tarnel::platform
