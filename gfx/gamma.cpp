// Gamma ramp arithmetic in double precision, truncating toward zero as the display expects.
#include "gfx/gamma.h"

#include <cmath>

namespace tarnel::gfx {

platform::GammaRamp buildGammaRamp(double red, double green, double blue) {
    platform::GammaRamp ramp{};
    const double exponents[3] = {red, green, blue};
    for (int c = 0; c < 3; ++c) {
        for (int k = 0; k < 256; ++k) {
            double value = std::pow(k / 256.0, exponents[c]) * 65536.0;
            // Only an exponent of 0 or less reaches 65536; the display takes 16 bits.
            if (!(value < 65535.0)) value = 65535.0;
            ramp[c * 256 + k] = static_cast<std::uint16_t>(value);
        }
    }
    return ramp;
}

float gammaExponent(unsigned gammaSetting) {
    long double setting = gammaSetting;
    return static_cast<float>(1.0L - ((setting - 50.0L) / 50.0L) * 0.5L);
}

bool setGammaRamp(platform::Platform& platform, double red, double green, double blue) {
    return platform.setGammaRamp(buildGammaRamp(red, green, blue));
}

}  // namespace tarnel::gfx
