#include "platform/offscreen_gl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

TEST(OffscreenGl, ClearsAndReadsBackTheColourBuffer) {
    std::string error;
    auto gl = tarnel::platform::OffscreenGl::create(64, 32, &error);
    ASSERT_TRUE(gl) << error;
    glClearColor(1.0f, 0.0f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    gl->swapBuffers();
    std::vector<std::uint8_t> pixels = gl->readPixels();
    ASSERT_EQ(pixels.size(), 64u * 32u * 4u);
    EXPECT_EQ(pixels[0], 255);
    EXPECT_EQ(pixels[1], 0);
    EXPECT_NEAR(pixels[2], 128, 1);
    GLint depthBits = 0;
    glGetIntegerv(GL_DEPTH_BITS, &depthBits);
    EXPECT_GE(depthBits, 24);
}
