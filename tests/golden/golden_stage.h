// Draws golden scenes as the saver draws its frames: one offscreen context for every scene,
// the GL start state at the scene's size, the update pass and the frame render of the saver
// run, a fixed step of 1/30 s. The default package gives the default scene, the digit font
// and the fixed meshes; the script scenes' textures and mesh are made here.
#pragma once

#include "host/input_state.h"
#include "platform/headless_platform.h"
#include "platform/offscreen_gl.h"
#include "tests/assets/asset_fixtures.h"
#include "tests/golden/golden_scenes.h"
#include "tests/support/png_picture.h"

#include <memory>
#include <string>

namespace tarnel {
class World;
}

namespace tarnel::golden {

constexpr double kStepSeconds = 1.0 / 30.0;
// The largest scene the context holds; a scene draws into its lower-left corner.
constexpr int kStageWidth = 512;
constexpr int kStageHeight = 256;

class GoldenStage {
public:
    // The context, the package's assets and the scenes' own. False, with the reason, when
    // the package is missing or no offscreen context can be made.
    bool open(const std::string& packagePath, std::string& error);
    // The scene's last frame.
    test::Picture render(const GoldenScene& scene);

private:
    void placeScene(const GoldenScene& scene, World& world);
    void advance(bool flying);  // the camera (when it flies) and the update pass, one step
    void drawFrame(bool flying);

    std::unique_ptr<platform::OffscreenGl> gl_;
    platform::HeadlessPlatform platform_{kStageWidth, kStageHeight};
    testing::MemberMap members_;
    InputState input_;
};

}  // namespace tarnel::golden
