#include "gfx/gamma.h"
#include "gfx/gl_state.h"
#include "platform/headless_platform.h"
#include "platform/offscreen_gl.h"

#include <GL/gl.h>
#include <GL/glext.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tarnel::gfx {
namespace {

class GlStartState : public ::testing::Test {
protected:
    void SetUp() override {
        std::string error;
        gl = platform::OffscreenGl::create(160, 100, &error);
        ASSERT_TRUE(gl) << error;
        settings.width = 160;
        settings.height = 100;
    }

    std::unique_ptr<platform::OffscreenGl> gl;
    platform::HeadlessPlatform platform{160, 100};
    GlStartSettings settings;
};

std::array<GLfloat, 4> lightValue(GLenum light, GLenum name) {
    std::array<GLfloat, 4> v{-9, -9, -9, -9};
    glGetLightfv(light, name, v.data());
    return v;
}

TEST_F(GlStartState, EnablesTheFixedCapabilitiesWithLightZeroOff) {
    setupGlState(platform, settings);
    for (GLenum on : {GL_ALPHA_TEST, GL_DEPTH_TEST, GL_LIGHTING, GL_LIGHT1, GL_BLEND, GL_TEXTURE_2D, GL_NORMALIZE})
        EXPECT_TRUE(glIsEnabled(on)) << on;
    EXPECT_FALSE(glIsEnabled(GL_LIGHT0));
    GLint alphaFunc = 0, src = 0, dst = 0, hint = 0, mode = 0;
    glGetIntegerv(GL_ALPHA_TEST_FUNC, &alphaFunc);
    glGetIntegerv(GL_BLEND_SRC, &src);
    glGetIntegerv(GL_BLEND_DST, &dst);
    glGetIntegerv(GL_PERSPECTIVE_CORRECTION_HINT, &hint);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(alphaFunc, GL_ALWAYS);
    EXPECT_EQ(src, GL_SRC_ALPHA);
    EXPECT_EQ(dst, GL_ONE);
    EXPECT_EQ(hint, GL_NICEST);
    EXPECT_EQ(mode, GL_MODELVIEW);
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 160);
    EXPECT_EQ(viewport[3], 100);
    GLfloat clear[4] = {1, 1, 1, 0}, lineWidth = 0;
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    glGetFloatv(GL_LINE_WIDTH, &lineWidth);
    EXPECT_EQ(clear[0] + clear[1] + clear[2], 0.0f);
    EXPECT_EQ(clear[3], 1.0f);
    EXPECT_EQ(lineWidth, 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlStartState, ProjectionKeepsItsHeightAndTakesItsWidthFromTheWindow) {
    // A 4:3 window keeps the fixed frustum exactly: 40 x 4/3 with 4/3 as a float.
    EXPECT_EQ(frustumHalfWidth(ScreenSize{640, 480}), 53.33333492279053);
    EXPECT_EQ(frustumHalfWidth(ScreenSize{1600, 1200}), 53.33333492279053);
    EXPECT_EQ(frustumHalfWidth(ScreenSize{0, 0}), 53.33333492279053);
    const double n = 80.0, f = 5000000.0;
    for (auto [width, height, halfWidth] : {std::tuple{640, 480, 53.33333492279053}, std::tuple{1920, 1080, 40.0 * 16 / 9},
                                            std::tuple{1280, 1024, 50.0}, std::tuple{2560, 1080, 40.0 * 64 / 27}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        settings.width = width;
        settings.height = height;
        setupGlState(platform, settings);
        GLdouble m[16];
        glGetDoublev(GL_PROJECTION_MATRIX, m);
        EXPECT_NEAR(m[0], n / halfWidth, 1e-6);
        EXPECT_NEAR(m[5], 2.0, 1e-9);  // half-height 40 at the near plane 80, on every window
        EXPECT_NEAR(m[8], 0.0, 1e-9);
        EXPECT_NEAR(m[9], 0.0, 1e-9);
        EXPECT_NEAR(m[10], -(f + n) / (f - n), 1e-6);
        EXPECT_NEAR(m[11], -1.0, 1e-9);
        EXPECT_NEAR(m[14], -2 * f * n / (f - n), 1e-3);
        EXPECT_EQ(m[15], 0.0);
        glGetDoublev(GL_MODELVIEW_MATRIX, m);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0 : 0.0);
    }
}

TEST_F(GlStartState, ConfiguresTheLightModelAndBothLights) {
    setupGlState(platform, settings);
    GLint localViewer = -1, twoSide = -1, colorControl = 0;
    glGetIntegerv(GL_LIGHT_MODEL_LOCAL_VIEWER, &localViewer);
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    glGetIntegerv(GL_LIGHT_MODEL_COLOR_CONTROL, &colorControl);
    EXPECT_EQ(localViewer, 1);
    EXPECT_EQ(twoSide, 0);
    EXPECT_EQ(colorControl, GL_SEPARATE_SPECULAR_COLOR);
    GLfloat ambient[4];
    glGetFloatv(GL_LIGHT_MODEL_AMBIENT, ambient);
    EXPECT_EQ((std::array<GLfloat, 4>{ambient[0], ambient[1], ambient[2], ambient[3]}),
              (std::array<GLfloat, 4>{0, 0, 0.1f, 0}));

    using V = std::array<GLfloat, 4>;
    EXPECT_EQ(lightValue(GL_LIGHT1, GL_POSITION), (V{0, 0, 9100, 1}));
    EXPECT_EQ(lightValue(GL_LIGHT1, GL_DIFFUSE), (V{1, 1, 1, 1}));
    EXPECT_EQ(lightValue(GL_LIGHT1, GL_SPECULAR), (V{1, 1, 1, 1}));
    EXPECT_EQ(lightValue(GL_LIGHT1, GL_AMBIENT), (V{0, 0, 0, 1}));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_SPECULAR), (V{0, 0, 0, 1}));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_DIFFUSE), (V{0.3f, 0.3f, 0.3f, 1}));
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_SPOT_EXPONENT)[0], 3.0f);
    EXPECT_EQ(lightValue(GL_LIGHT0, GL_SPOT_CUTOFF)[0], 60.0f);
}

TEST_F(GlStartState, WritesTheGammaRampOnlyWithoutDefGamma) {
    platform.gamma = buildGammaRamp(1.0, 1.0, 1.0);
    settings.defGamma = true;
    settings.gamma = 100;
    setupGlState(platform, settings);
    EXPECT_EQ(platform.gamma, buildGammaRamp(1.0, 1.0, 1.0));
    settings.defGamma = false;
    setupGlState(platform, settings);
    EXPECT_EQ(platform.gamma, buildGammaRamp(0.5, 0.5, 0.5));
}

TEST(GammaRamp, ExponentOneIsTheIdentityEndingAt65280) {
    platform::GammaRamp ramp = buildGammaRamp(1.0, 1.0, 1.0);
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < 256; ++k) ASSERT_EQ(ramp[c * 256 + k], k * 256) << c << " " << k;
    EXPECT_EQ(ramp[255], 65280);
    EXPECT_EQ(ramp[767], 65280);
}

TEST(GammaRamp, EntriesTruncateThePowerOfEachChannel) {
    platform::GammaRamp ramp = buildGammaRamp(0.5, 1.5, 1.0);
    EXPECT_EQ(ramp[0], 0);
    EXPECT_EQ(ramp[256], 0);
    EXPECT_EQ(ramp[64], 32768);          // sqrt(1/4)
    EXPECT_EQ(ramp[256 + 64], 8192);     // (1/4)^1.5
    EXPECT_EQ(ramp[1], 4096);            // sqrt(1/256)
    EXPECT_EQ(ramp[255], 65407);         // floor(sqrt(255/256) * 65536)
    EXPECT_EQ(ramp[256 + 255], 65152);   // floor((255/256)^1.5 * 65536)
    EXPECT_EQ(ramp[256 + 3], 83);        // floor((3/256)^1.5 * 65536) = floor(83.14)
    EXPECT_EQ(ramp[512 + 100], 25600);
}

TEST(GammaRamp, ExponentFollowsTheGammaSetting) {
    EXPECT_FLOAT_EQ(gammaExponent(0), 1.5f);
    EXPECT_FLOAT_EQ(gammaExponent(50), 1.0f);
    EXPECT_FLOAT_EQ(gammaExponent(100), 0.5f);
    EXPECT_FLOAT_EQ(gammaExponent(80), 0.7f);
    // A zero exponent would reach 65536; the entry is held at the 16-bit maximum.
    EXPECT_EQ(buildGammaRamp(0.0, 1.0, 1.0)[200], 65535);
}

}  // namespace
}  // namespace tarnel::gfx
