// Input state of the saver run and its exit rules: any key or a left or right click ends the
// run; system keys (Alt, Alt combinations, F10) and the middle button do not; with MouseExit
// on, mouse travel beyond 7.0 (pixels x 0.3) within one second ends it too.
#pragma once

#include "platform/platform.h"

#include <array>
#include <cstdint>

namespace tarnel {

constexpr float kMouseScale = 0.3f;          // travel units per pixel
constexpr float kMouseExitThreshold = 7.0f;  // travel that ends the run

class InputState {
public:
    std::array<std::uint8_t, 256> keyDown{};  // entry 0: "stop", set by any key press or click
    float mouseDeltaX = 0.0f;                 // last offset from the window centre, pixels x 0.3
    float mouseDeltaY = 0.0f;
    float mouseTravel = 0.0f;                 // distance consumed since the last one-second reset
    bool quit = false;                        // the window system asked the run to end

    // What the window procedure does with one event; centre in screen pixels.
    void handleEvent(const platform::InputEvent& event, int centreX, int centreY);

    // The frame's exit tests: consumes the mouse offsets into the travel (as a distance in
    // any direction) and returns whether the cursor must go back to the centre.
    bool consumeMouse();
    bool shouldStop(bool mouseExit) const;
};

}  // namespace tarnel
