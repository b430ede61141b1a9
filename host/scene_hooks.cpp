// Until the overlay, loaders, camera and scene modules are wired in, every frame and every
// loading frame is a cleared one.
#include "host/scene_hooks.h"

#include "assets/archive.h"
#include "gfx/loading_screen.h"

#include <GL/gl.h>

namespace tarnel {

namespace {
void clearFrame() { glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT); }
}  // namespace

void loadLoadingScreen() { gfx::loadLoadingImages(); }

void drawLoadingFrame() {
    clearFrame();
    gfx::drawLoadingScreen();
}

void loadScene() {}

std::vector<std::uint8_t> readMusicMember() {
#ifdef TARNEL_HAVE_ARCHIVE_READER
    ExtractResult music = extractArchiveMember("music.ogg", packageSource().path, packageSource().password);
    if (music.ok()) return std::move(music.data);
#endif
    return {};
}

void startCamera() {}

void stepCamera(double) {}

void updateScene(double) {}

void renderScene(float, int) { clearFrame(); }

void clearSceneLists() {}

}  // namespace tarnel
