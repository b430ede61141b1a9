// A scene's frames: the start state, a fresh scene, the first frame with every list drawn,
// the flight of a default scene, then the rest of the frames with view culling on, as the
// saver loop turns it on after its first frame.
#include "tests/golden/golden_stage.h"

#include "assets/archive.h"
#include "assets/texture_table.h"
#include "camera/camera_director.h"
#include "camera/random.h"
#include "gfx/clock.h"
#include "gfx/digit_font.h"
#include "gfx/gl_state.h"
#include "host/loaded_scene.h"
#include "host/scene_hooks.h"
#include "host/settings.h"
#include "host/timers.h"
#include "scene/view_cull.h"
#include "script/world.h"
#include "tests/golden/golden_assets.h"

#include <GL/gl.h>

#include <cmath>
#include <filesystem>

namespace tarnel::golden {

namespace {

// Members of the scenes first, then the package's.
MemberOpener sceneOpener(testing::MemberMap& members) {
    return [opener = members.opener()](MemoryFile& file, const char* name) {
        return opener(file, name) ? 1 : openPackageMember(file, name);
    };
}

void lookAt(Vector3 eye, Vector3 target, Vector3 up) {
    CameraDirector& camera = cameraDirector();
    camera.eye = camera.position = eye;
    camera.look = normalize(target - eye);
    camera.up = up;
}

test::Picture readFrame(const platform::OffscreenGl& gl, int width, int height) {
    glFinish();
    std::vector<std::uint8_t> rgba = gl.readPixels();
    test::Picture picture;
    picture.width = width;
    picture.height = height;
    for (int y = height - 1; y >= 0; --y)
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &rgba[(static_cast<std::size_t>(y) * gl.width() + x) * 4];
            picture.rgb.insert(picture.rgb.end(), p, p + 3);
        }
    return picture;
}

}  // namespace

bool GoldenStage::open(const std::string& packagePath, std::string& error) {
    if (!std::filesystem::exists(packagePath)) {
        error = "no default package at " + packagePath;
        return false;
    }
    gl_ = platform::OffscreenGl::create(kStageWidth, kStageHeight, &error);
    if (!gl_) return false;
    packageSource().path = packagePath;
    gfx::setupGlState(platform_, gfx::GlStartSettings{});
    loadSceneAssets();
    members_.members = sceneMembers();
    MemberOpener opener = members_.opener();
    for (const auto& [name, bytes] : members_.members) {
        const std::string folder = "textures\\";
        if (name.compare(0, folder.size(), folder) != 0) continue;
        auto entry = std::make_unique<TextureEntry>();
        loadTextureEntry(*entry, name.substr(folder.size()).c_str(), opener);
        textureTable().entries.push_back(std::move(entry));
    }
    if (gfx::digitFont().texture == 0) {
        error = packagePath + " holds no digit font";
        return false;
    }
    Settings& options = settings();
    options.ShowClock = false;  // the clock would show the time of the run
    return true;
}

void GoldenStage::placeScene(const GoldenScene& scene, World& world) {
    LoadedScene& loaded = loadedScene();
    // Objects draw random numbers as they are made, from a generator fresh as at start-up.
    seedRandom(1);
    if (scene.script.empty()) {
        loaded.worlds.clear();
        loaded.environments.clear();
        loadSceneScripts();
        seedRandom(scene.seed);
        startCamera();
        return;
    }
    MemoryFile file;
    file.openBytes("golden.txt", testing::textBytes(scene.script));
    readObjectScript(world.objects, file, sceneOpener(members_));
    loaded.current = &world;
    lookAt(scene.eye, scene.target, scene.up);
}

void GoldenStage::advance(bool flying) {
    if (flying) stepCamera(timers().speedScale * kStepSeconds);
    updateScene(kStepSeconds);
}

void GoldenStage::drawFrame(bool flying) {
    advance(flying);
    renderScene(static_cast<float>(kStepSeconds), input_);
}

test::Picture GoldenStage::render(const GoldenScene& scene) {
    gfx::GlStartSettings start;
    start.width = scene.width;
    start.height = scene.height;
    gfx::setupGlState(platform_, start);  // before the scripts: flare sizes follow the screen
    clearSceneLists();
    World world;
    placeScene(scene, world);
    settings().ShowFPS = scene.counter >= 0;
    timers().period.framesPerSecond = scene.counter;

    bool flying = scene.script.empty();
    setViewCulling(false);
    drawFrame(flying);
    setViewCulling(true);
    for (long step = std::lround(scene.flightSeconds / kStepSeconds); step > 0; --step) advance(flying);
    for (int frame = 1; frame < scene.frames; ++frame) drawFrame(flying);
    if (scene.clockHours != 0) gfx::drawClock(scene.clockHours == 12, platform::LocalTime{13, 30, 0});
    test::Picture picture = readFrame(*gl_, scene.width, scene.height);

    clearSceneLists();
    loadedScene().current = nullptr;
    return picture;
}

}  // namespace tarnel::golden
