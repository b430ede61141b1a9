// What the billboard and flare draw tests share: an offscreen context in the saver's start
// state, a camera on the z axis looking down -z, the frame's first steps, and a snapshot of
// the GL state a draw leaves behind.
#pragma once

#include "camera/camera_director.h"
#include "camera/camera_view.h"
#include "gfx/gl_state.h"
#include "platform/headless_platform.h"
#include "platform/offscreen_gl.h"
#include "tests/support/gl_snapshot.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace tarnel::testing {

constexpr int kViewWidth = 160;
constexpr int kViewHeight = 120;

inline const std::array<GLfloat, 16>& identityMatrix() {
    static const std::array<GLfloat, 16> identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    return identity;
}

// What every sprite draw leaves as it found it (blending, texturing and the alpha test
// enabled or not, culling, both matrices and their stack depths), and the texture matrix
// it always resets.
inline void expectSpriteRestingState(const GlSnapshot& before, const GlSnapshot& after) {
    EXPECT_EQ(after.blend, before.blend);
    EXPECT_EQ(after.texture2d, before.texture2d);
    EXPECT_EQ(after.alphaTest, before.alphaTest);
    EXPECT_EQ(after.cullFace, before.cullFace);
    EXPECT_EQ(after.cullMode, before.cullMode);
    EXPECT_EQ(after.matrixMode, GL_MODELVIEW);
    EXPECT_EQ(after.modelviewDepth, before.modelviewDepth);
    EXPECT_EQ(after.projectionDepth, before.projectionDepth);
    EXPECT_EQ(after.textureDepth, before.textureDepth);
    EXPECT_EQ(after.modelview, before.modelview);
    EXPECT_EQ(after.projection, before.projection);
    EXPECT_EQ(after.texture, identityMatrix());
}

class SpriteGlTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        gl = platform::OffscreenGl::create(kViewWidth, kViewHeight, &error);
        ASSERT_TRUE(gl) << error;
        gfx::GlStartSettings start;
        start.width = kViewWidth;
        start.height = kViewHeight;
        gfx::setupGlState(platform, start);
        lookFrom(Vector3(0.0f, 0.0f, 200.0f), Vector3(0.0f, 0.0f, -1.0f));
    }

    void lookFrom(Vector3 eye, Vector3 look) {
        camera.eye = eye;
        camera.position = eye;
        camera.look = look;
        camera.up = Vector3(0.0f, 1.0f, 0.0f);
    }

    // The frame's first steps: clear, then the camera transform in the modelview matrix.
    void beginFrame() {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        applyCameraView(camera);
    }

    // Red channel of the pixel at (x, y), bottom row first.
    int red(int x, int y) const {
        std::vector<std::uint8_t> pixels = gl->readPixels();
        return pixels[(static_cast<std::size_t>(y) * kViewWidth + x) * 4];
    }

    // Pixels whose red channel is above threshold, and their bounding box.
    struct Lit {
        int count = 0, minX = kViewWidth, maxX = -1, minY = kViewHeight, maxY = -1;
        int width() const { return maxX - minX + 1; }
        int height() const { return maxY - minY + 1; }
    };
    Lit lit(int threshold = 10) const {
        std::vector<std::uint8_t> pixels = gl->readPixels();
        Lit l;
        for (int y = 0; y < kViewHeight; ++y)
            for (int x = 0; x < kViewWidth; ++x)
                if (pixels[(static_cast<std::size_t>(y) * kViewWidth + x) * 4] > threshold) {
                    ++l.count;
                    l.minX = std::min(l.minX, x);
                    l.maxX = std::max(l.maxX, x);
                    l.minY = std::min(l.minY, y);
                    l.maxY = std::max(l.maxY, y);
                }
        return l;
    }

    std::unique_ptr<platform::OffscreenGl> gl;
    platform::HeadlessPlatform platform{kViewWidth, kViewHeight};
    CameraDirector camera;
};

}  // namespace tarnel::testing
