// The system's own words for a Windows error code, for messages that tell a user why.
#pragma once

#include <string>

namespace tarnel::platform {

// "Access is denied." for 5; "error N" when the system has no text for the code.
std::string systemErrorText(unsigned long code);

}  // namespace tarnel::platform
