// Window numbers as the command line gives them, turned back into handles. A handle's
// number fits in 32 bits and is sign-extended on 64-bit Windows, so the number is read as a
// signed 32-bit value first.
#pragma once

#include <windows.h>

#include <cstdint>

namespace tarnel::platform {

inline HWND windowFromNumber(std::uint64_t number) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(number)));
}

}  // namespace tarnel::platform
