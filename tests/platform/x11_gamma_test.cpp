// XRandR gamma of the SDL backend: resampling between CRTC sizes and 256, and failure without
// an X display (no display needed).
// GoogleTest before Xlib, whose None macro would break its headers.
#include <gtest/gtest.h>

#include "platform/sdl/x11_gamma.h"

namespace tarnel::platform {
namespace {

TEST(X11Gamma, ResamplingKeepsBothEndsAndCopiesAt256) {
    std::vector<std::uint16_t> ramp(256);
    for (int k = 0; k < 256; ++k) ramp[k] = static_cast<std::uint16_t>(k * 256);
    EXPECT_EQ(resampleChannel(ramp.data(), 256, 256), ramp);

    std::vector<std::uint16_t> wide = resampleChannel(ramp.data(), 256, 1024);
    ASSERT_EQ(wide.size(), 1024u);
    EXPECT_EQ(wide.front(), 0);
    EXPECT_EQ(wide.back(), 65280);
    EXPECT_EQ(wide[100], 100 * 255 * 256 / 1023);  // between two entries, on the line
    EXPECT_EQ(resampleChannel(wide.data(), 1024, 256), ramp);

    std::vector<std::uint16_t> narrow = resampleChannel(ramp.data(), 256, 16);
    EXPECT_EQ(narrow[1], 17 * 256);
    EXPECT_EQ(narrow[15], 65280);
}

TEST(X11Gamma, WithoutADisplayReportsFailureAndLeavesTheRamp) {
    X11GammaRamp gamma;
    GammaRamp ramp{};
    ramp[1] = 7;
    EXPECT_FALSE(gamma.read(nullptr, 0, 0, ramp));
    EXPECT_EQ(ramp[1], 7);
    EXPECT_FALSE(gamma.write(nullptr, 0, 0, ramp));
}

}  // namespace
}  // namespace tarnel::platform
