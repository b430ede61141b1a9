// What each input event does to the key table and the mouse offsets, and the frame's
// exit tests over them.
#include "host/input_state.h"

#include <cmath>

namespace tarnel {

void InputState::handleEvent(const platform::InputEvent& event, int centreX, int centreY) {
    switch (event.type) {
    case platform::EventType::KeyDown:
        if (event.systemKey) return;
        keyDown[0] = 1;
        if (event.keyCode > 0 && event.keyCode < static_cast<int>(keyDown.size())) keyDown[event.keyCode] = 1;
        return;
    case platform::EventType::KeyUp:
        if (event.systemKey) return;
        if (event.keyCode > 0 && event.keyCode < static_cast<int>(keyDown.size())) keyDown[event.keyCode] = 0;
        return;
    case platform::EventType::ButtonDown:
        if (event.button == platform::MouseButton::Left || event.button == platform::MouseButton::Right)
            keyDown[0] = 1;
        return;
    case platform::EventType::MouseMove:
        mouseDeltaX = static_cast<float>(event.x - centreX) * kMouseScale;
        mouseDeltaY = static_cast<float>(event.y - centreY) * kMouseScale;
        return;
    case platform::EventType::Quit:
        quit = true;
        return;
    }
}

bool InputState::consumeMouse() {
    bool recentre = false;
    // Distances, not signed offsets: a move to the left or upwards wakes the screen too.
    if (mouseDeltaX != 0.0f) {
        mouseTravel += std::fabs(mouseDeltaX);
        mouseDeltaX = 0.0f;
        recentre = true;
    }
    if (mouseDeltaY != 0.0f) {
        mouseTravel += std::fabs(mouseDeltaY);
        mouseDeltaY = 0.0f;
        recentre = true;
    }
    return recentre;
}

bool InputState::shouldStop(bool mouseExit) const {
    return keyDown[0] != 0 || quit || (mouseExit && mouseTravel > kMouseExitThreshold);
}

}  // namespace tarnel
