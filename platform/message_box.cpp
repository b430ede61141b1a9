// The message box every backend shows the same way: standard error first, then a handler
// set by tests and headless runs, or else the window system's own box while the run wants it.
#include "platform/message_box.h"

#include "platform/native_message_box.h"

#include <cstdio>
#include <utility>

namespace tarnel::platform {

namespace {
// Both set by the host and the tests before anything shows a box; read by showMessageBox.
MessageBoxHandler& messageBoxHandler() {
    static MessageBoxHandler handler;
    return handler;
}

MessageBoxCondition& messageBoxCondition() {
    static MessageBoxCondition condition;
    return condition;
}
}  // namespace

void setMessageBoxHandler(MessageBoxHandler handler) { messageBoxHandler() = std::move(handler); }

void setMessageBoxCondition(MessageBoxCondition shown) { messageBoxCondition() = std::move(shown); }

bool messageBoxWanted() { return !messageBoxCondition() || messageBoxCondition()(); }

void showMessageBox(const std::string& text, const std::string& caption) {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    if (messageBoxHandler()) {
        messageBoxHandler()(text, caption);
        return;
    }
    if (messageBoxWanted()) showNativeMessageBox(text, caption);
}

}  // namespace tarnel::platform
