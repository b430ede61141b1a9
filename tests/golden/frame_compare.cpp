#include "tests/golden/frame_compare.h"

#include <algorithm>
#include <cstdlib>

namespace tarnel::golden {

namespace {

int channelDistance(const test::Picture& a, const test::Picture& b, std::size_t pixel) {
    int most = 0;
    for (int c = 0; c < 3; ++c) most = std::max(most, std::abs(a.rgb[pixel * 3 + c] - b.rgb[pixel * 3 + c]));
    return most;
}

}  // namespace

bool FrameDifference::matches() const {
    return sameSize && pixelsOff <= static_cast<long>(kShareOff * static_cast<double>(pixels)) &&
           meanLevels <= kMeanLevels;
}

FrameDifference compareFrames(const test::Picture& golden, const test::Picture& frame) {
    FrameDifference difference;
    difference.sameSize = golden.width == frame.width && golden.height == frame.height && golden.width > 0 &&
                          golden.rgb.size() == frame.rgb.size();
    if (!difference.sameSize) return difference;
    difference.pixels = static_cast<long>(golden.width) * golden.height;
    long sum = 0;
    for (std::size_t i = 0; i < golden.rgb.size(); ++i) sum += std::abs(golden.rgb[i] - frame.rgb[i]);
    difference.meanLevels = static_cast<double>(sum) / static_cast<double>(golden.rgb.size());
    for (long pixel = 0; pixel < difference.pixels; ++pixel)
        if (channelDistance(golden, frame, static_cast<std::size_t>(pixel)) > kLevelsOff) ++difference.pixelsOff;
    return difference;
}

test::Picture differenceImage(const test::Picture& golden, const test::Picture& frame) {
    if (!compareFrames(golden, frame).sameSize) return frame;
    test::Picture image = golden;
    for (std::size_t pixel = 0; pixel < image.rgb.size() / 3; ++pixel) {
        std::uint8_t* p = &image.rgb[pixel * 3];
        int grey = (p[0] + p[1] + p[2]) / 9;
        int distance = channelDistance(golden, frame, pixel);
        if (distance > kLevelsOff)
            p[0] = static_cast<std::uint8_t>(std::min(255, 128 + distance)), p[1] = p[2] = 0;
        else if (distance > 0)
            p[0] = p[1] = 0, p[2] = 255;
        else
            p[0] = p[1] = p[2] = static_cast<std::uint8_t>(grey);
    }
    return image;
}

bool writePng(const std::string& path, const test::Picture& picture) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    image.width = static_cast<png_uint_32>(picture.width);
    image.height = static_cast<png_uint_32>(picture.height);
    image.format = PNG_FORMAT_RGB;
    return png_image_write_to_file(&image, path.c_str(), 0, picture.rgb.data(), 0, nullptr) != 0;
}

}  // namespace tarnel::golden
