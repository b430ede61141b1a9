// The saver run's hooks into the modules that load and draw the scene. The loaders send
// loading ticks while they read; the frame render gets the fps bookkeeping and the overlay
// from here, since the timers, the input state and the settings belong to the saver run.
#include "host/scene_hooks.h"

#include "assets/load_timing.h"
#include "assets/memory_file.h"
#include "assets/mesh_lists.h"
#include "assets/sphere_arrays.h"
#include "assets/texture_table.h"
#include "camera/camera_director.h"
#include "gfx/clock.h"
#include "gfx/digit_font.h"
#include "gfx/fps_counter.h"
#include "gfx/loading_screen.h"
#include "gfx/overlay.h"
#include "host/loaded_scene.h"
#include "host/settings.h"
#include "host/stop_signal.h"
#include "host/timers.h"
#include "platform/system.h"
#include "scene/frame.h"

#include <GL/gl.h>

#include <utility>

namespace tarnel {

namespace {

void clearFrame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }

FrameSource currentFrameSource() {
    const World* world = loadedScene().current;
    if (world == nullptr) return FrameSource();
    return FrameSource{world->firstpass, &world->objects, world->postpass, world->system};
}

}  // namespace

LoadedScene& loadedScene() {
    // The one scene of the run.
    static LoadedScene scene;
    return scene;
}

void loadLoadingScreen() { gfx::loadLoadingImages(); }

void drawLoadingFrame() {
    clearFrame();
    gfx::drawLoadingScreen();
}

void loadScene() {
    loadSceneAssets();
    loadSceneScripts();
}

void loadSceneAssets() {
    loadTextureList(textureTable(), "texture.txt", true);
    gfx::buildDigitFont();
    {
        ScopedLoadStep timed(LoadStep::Meshes);
        loadFixedMeshes(fixedMeshLists());
        loadSphereArrays(sphereArrays(), "meshes\\sphere.dat");
    }
}

void loadSceneScripts() {
    LoadedScene& scene = loadedScene();
    ScopedLoadStep timed(LoadStep::Scripts);
    loadEnvironments(scene.environments, "env.txt");
    loadWorlds(scene.worlds, scene.environments, "worlds.txt");
    scene.current = findWorld(scene.worlds, "world");
}

std::vector<std::uint8_t> readMusicMember() {
    MemoryFile music;
    if (!music.open("music.ogg")) return {};
    return std::move(music.data);
}

void startCamera() { cameraDirector().start(); }

void stepCamera(double scaledSeconds) { cameraDirector().step(scaledSeconds); }

void updateScene(double seconds) { updateObjects(frameLists(), seconds); }

bool renderScene(float seconds, InputState& input) {
    Timers& clock = timers();
    FrameHooks hooks;
    hooks.secondPeriod = [&clock, &input] {
        if (clock.period.endIfDue(platform::counterNow(), clock.frame.reciprocalFrequency)) input.mouseTravel = 0.0f;
    };
    hooks.overlay = [&clock] {
        const Settings& options = settings();
        gfx::beginOverlay();
        glLoadIdentity();
        glMatrixMode(GL_TEXTURE);
        glLoadIdentity();
        glMatrixMode(GL_MODELVIEW);
        if (options.ShowFPS) gfx::drawFps(static_cast<std::uint32_t>(clock.period.framesPerSecond));
        gfx::endOverlay();
        if (options.ShowClock) gfx::drawClock(options.TimeFormat);
    };
    hooks.frameDrawn = [&clock] { ++clock.period.frames; };
    hooks.abandon = [] { return stopRequested(); };
    return renderFrame(frameLists(), currentFrameSource(), cameraDirector(), hooks, seconds);
}

void clearSceneLists() {
    frameLists().clear();
    LoadedScene& scene = loadedScene();
    for (auto& world : scene.worlds) world->objects.clear();
    for (auto& environment : scene.environments) {
        environment->firstpass.clear();
        environment->postpass.clear();
    }
}

}  // namespace tarnel
