// Golden frames pin the look: every scene of the table, drawn at a fixed seed with the fixed
// step, must match its picture in tests/data/golden/ (within frame_compare.h's tolerance).
// A frame that does not is written to the build tree with a difference image, and the paths
// are printed. scripts/render-golden.sh draws the pictures anew when the look changes on
// purpose (TARNEL_GOLDEN_WRITE=1 writes them instead of comparing).
#include "tests/golden/frame_compare.h"
#include "tests/golden/golden_stage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace tarnel::golden {
namespace {

const std::string kGoldenFolder = std::string(TARNEL_TEST_DATA) + "/golden";
const std::string kFailureFolder = std::string(TARNEL_BINARY_DIR) + "/golden-failures";

std::string describe(const FrameDifference& difference) {
    if (!difference.sameSize) return "the sizes differ";
    return std::to_string(difference.pixelsOff) + " of " + std::to_string(difference.pixels) +
           " pixels off by more than " + std::to_string(kLevelsOff) + " levels, " +
           std::to_string(difference.meanLevels) + " levels apart on average";
}

TEST(GoldenFrames, EverySceneMatchesItsPicture) {
    GoldenStage stage;
    std::string error;
    ASSERT_TRUE(stage.open(std::string(TARNEL_BINARY_DIR) + "/data.sdd", error)) << error;
    const bool writing = std::getenv("TARNEL_GOLDEN_WRITE") != nullptr;
    std::filesystem::remove_all(kFailureFolder);  // what an earlier run found
    std::filesystem::create_directories(writing ? kGoldenFolder : kFailureFolder);
    for (const GoldenScene& scene : goldenScenes()) {
        test::Picture frame = stage.render(scene);
        const std::string goldenPath = kGoldenFolder + "/" + scene.name + ".png";
        if (writing) {
            EXPECT_TRUE(writePng(goldenPath, frame)) << goldenPath;
            continue;
        }
        test::Picture golden = test::readPng(goldenPath);
        FrameDifference difference = compareFrames(golden, frame);
        if (difference.matches()) continue;
        const std::string framePath = kFailureFolder + "/" + scene.name + ".png";
        const std::string diffPath = kFailureFolder + "/" + scene.name + "-diff.png";
        writePng(framePath, frame);
        writePng(diffPath, differenceImage(golden, frame));
        ADD_FAILURE() << scene.name << ": " << (golden.width == 0 ? "no golden frame " + goldenPath : describe(difference))
                      << "\n  frame: " << framePath << "\n  difference: " << diffPath
                      << "\n  (scripts/render-golden.sh draws the golden frames anew)";
    }
}

}  // namespace
}  // namespace tarnel::golden
