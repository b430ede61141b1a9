// The table of golden frames: what each scene draws and what its picture pins. Script scenes
// are object scripts drawn as the objects of a world of their own, with the textures and the
// mesh of golden_assets.h; the default scene is the package's world "world" in flight.
#pragma once

#include "camera/vector3.h"

#include <cstdint>
#include <string>
#include <vector>

namespace tarnel::golden {

struct GoldenScene {
    std::string name;          // tests/data/golden/<name>.png
    int width = 160;           // pixels
    int height = 120;
    std::string script;        // object script of the scene's world; empty: the default scene
    int frames = 1;            // frames drawn, each after a step of 1/30 s
    Vector3 eye{0.0f, 0.0f, 20000.0f};  // a script scene's camera, looking at target
    Vector3 target;
    Vector3 up{0.0f, 1.0f, 0.0f};
    std::uint32_t seed = 1;    // the default scene's flight
    double flightSeconds = 0;  // the default scene: seconds flown undrawn after its first frame
    int counter = -1;          // the frame counter's value; -1 hides it
    int clockHours = 0;        // 12 or 24: the clock at 13:30:00 in that format; 0 hides it
};

const std::vector<GoldenScene>& goldenScenes();

}  // namespace tarnel::golden
