// Stand-ins compiled only while platform/win32 has no dialog and preview views of its own
// (CMake leaves this file out once config_dialog_view.cpp is there): they say so and fail.
#include "platform/config_dialog.h"

#include <cstdio>

namespace tarnel::platform {

bool runConfigDialog(ConfigDialogLogic&, std::uint64_t) {
    std::fputs("tarnel: this build has no configuration dialog\n", stderr);
    return false;
}

bool runPreviewWindow(std::uint64_t) {
    std::fputs("tarnel: this build has no preview window\n", stderr);
    return false;
}

}  // namespace tarnel::platform
