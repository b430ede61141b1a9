// The saver run's call sites into the modules that draw: the loading screen, the scene
// loaders, the camera director, the update pass and the frame render. Each hook is called
// exactly where the run needs it.
#pragma once

#include "host/input_state.h"

#include <cstdint>
#include <vector>

namespace tarnel {

// The two loading-screen images, before the GL state is set up.
void loadLoadingScreen();
// One loading-screen frame, drawn at every loading tick (before glFinish and the swap).
void drawLoadingFrame();
// Texture table, digit font, fixed meshes, environments and worlds, then the world named
// "world" as the current one. Loaders send loading ticks while they read.
void loadScene();
// The two halves of loadScene: what the scripts refer to (textures, font, meshes), then the
// scripts themselves, appended to the loaded scene's environments and worlds.
void loadSceneAssets();
void loadSceneScripts();
// The bytes of "music.ogg"; empty when the package has no such member.
std::vector<std::uint8_t> readMusicMember();
void startCamera();
void stepCamera(double scaledSeconds);
void updateScene(double seconds);
// One frame of the current world. Each second of frames also publishes the frame rate and
// resets the input's mouse travel. False when a stop signal abandoned the frame half drawn.
bool renderScene(float seconds, InputState& input);
// Empties the world, environment and frame lists (they own nothing).
void clearSceneLists();

}  // namespace tarnel
