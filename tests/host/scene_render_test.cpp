// End to end: a small data package made here (textures, meshes, environment, world, object
// scripts) rendered by the real executable offscreen; probed pixels show the scene.
#include "assets/rar/rar_writer.h"
#include "tests/archive/rar_test_support.h"
#include "tests/assets/asset_fixtures.h"
#include "tests/scene/scene_fixtures.h"
#include "tests/support/png_picture.h"

#include <algorithm>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace tarnel {
namespace {

testing::Bytes solidJpeg(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    testing::Bytes pixels;
    for (int i = 0; i < 16 * 16; ++i) pixels.insert(pixels.end(), {r, g, b});
    return testing::encodeJpeg(16, 16, 3, pixels);
}

using test::Picture;
using test::readPng;

class SceneRender : public ::testing::Test {
protected:
    // planetLines fill the sphere "earth"; blocks follow it in the same script.
    void writePackage(const std::string& planetLines, const std::string& blocks = "") {
        testing::Bytes sphere = testing::unitSphereMesh(24, 32);
        std::vector<rar::WriterEntry> entries = {
            {"texture.txt", test::bytesOf("earth.jpg\nsky.jpg\nEND_TEXT\n")},
            {"textures\\earth.jpg", solidJpeg(30, 220, 40)},
            {"textures\\sky.jpg", solidJpeg(20, 30, 200)},
            {"meshes\\sphere.dat", sphere},
            {"meshes\\env.dat", sphere},
            {"env.txt", test::bytesOf("env space\nfirstpass scripts\\sky.txt\nend\nENV_END\n")},
            {"worlds.txt", test::bytesOf("world world\nenv space\nobjects scripts\\planets.txt\nend\nWORLD_END\n")},
            {"scripts\\sky.txt", test::bytesOf("sphere\nbegin sky\nenv\ntexture textures\\sky.jpg\nradius 50\nend\nENDWORLD\n")},
            {"scripts\\planets.txt", test::bytesOf("sphere\nbegin earth\n" + planetLines + "end\n" + blocks + "ENDWORLD\n")},
        };
        std::vector<std::uint8_t> archive;
        ASSERT_TRUE(rar::writeStoredArchive(entries, archive, nullptr));
        test::writeBytes(dir.path() / "data.sdd", archive);
        std::filesystem::create_directories(dir.path() / "config" / "tarnel");
        test::writeBytes(dir.path() / "config" / "tarnel" / "settings.ini", test::bytesOf("EnableMusic=0\nShowClock=0\n"));
    }

    // Runs the executable in the package's folder with the given options; returns its output.
    std::string run(const std::string& options) {
        std::string command = "cd '" + dir.path().string() + "' && env -u DISPLAY XDG_CONFIG_HOME='" + (dir.path() / "config").string() + "' '" +
                              std::string(TARNEL_BINARY_DIR) + "/tarnel' " + options + " > stdout.txt";
        EXPECT_EQ(std::system(command.c_str()), 0) << command;
        std::vector<std::uint8_t> bytes = test::readBytes((dir.path() / "stdout.txt").string());
        return std::string(bytes.begin(), bytes.end());
    }

    Picture render() {
        run("--headless --size 160x120 --seed 5 --frames 3 --data data.sdd --render out.png");
        return readPng((dir.path() / "out.png").string());
    }

    test::TempDir dir{"scene-render"};
};

TEST_F(SceneRender, ShowsTheTexturedPlanetInFrontOfTheSky) {
    writePackage("orbit\nlight\nposition V(0 0 0)\nradius 12000\ntexture textures\\earth.jpg\n");
    Picture picture = render();
    ASSERT_EQ(picture.width, 160);
    auto centre = picture.at(80, 60);
    EXPECT_GT(centre[1], 180) << "the planet's green texture at the centre";
    EXPECT_LT(centre[2], 100);
    for (auto [x, y] : {std::pair{3, 3}, std::pair{156, 116}}) {
        auto sky = picture.at(x, y);
        EXPECT_GT(sky[2], 160) << "the sky's blue texture in the corners";
        EXPECT_LT(sky[1], 80);
    }
}

TEST_F(SceneRender, WorldWithoutTheNameWorldDrawsNothing) {
    writePackage("orbit\nlight\nradius 12000\ntexture textures\\earth.jpg\n");
    Picture before = render();
    ASSERT_EQ(before.width, 160);
    EXPECT_GT(before.at(80, 60)[1], 180);
    // The same scene under another world name: no current world, a cleared frame.
    std::string worlds = "world other\nenv space\nobjects scripts\\planets.txt\nend\nWORLD_END\n";
    testing::Bytes sphere = testing::unitSphereMesh();
    std::vector<rar::WriterEntry> entries = {{"texture.txt", test::bytesOf("END_TEXT\n")},
               {"meshes\\sphere.dat", sphere},
               {"worlds.txt", test::bytesOf(worlds)},
               {"scripts\\planets.txt", test::bytesOf("sphere\nbegin earth\nradius 12000\nend\n")}};
    std::vector<std::uint8_t> archive;
    ASSERT_TRUE(rar::writeStoredArchive(entries, archive, nullptr));
    test::writeBytes(dir.path() / "data.sdd", archive);
    Picture after = render();
    ASSERT_EQ(after.width, 160);
    EXPECT_EQ(after.at(80, 60), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(SceneRender, DumpPrintsEveryWorldEnvironmentAndSphereField) {
    writePackage("orbit\nlight\nposition V(1 2 3)\nradius 12000\ntexture textures\\earth.jpg\n");
    std::string dump = run("--dump-scene --data data.sdd");
    for (const char* expected :
         {"\"current\": \"world\"", "\"env\": \"space\"", "\"name\": \"earth\"", "\"kind\": \"sphere\"",
          "\"radius\": 12000", "\"position\": [1, 2, 3]", "\"systemOrbit\": false", "\"name\": \"sky\"",
          "\"env\": true", "\"rotationSpeed\": 0", "\"hasTexture\": true"})
        EXPECT_NE(dump.find(expected), std::string::npos) << expected << "\n" << dump;
    EXPECT_LT(dump.find("\"worlds\""), dump.find("\"environments\""));
}

// A green flare where the camera looks. Fade-in is per second of real frame time, so it is
// fast enough to be whole after the first frame, however short the frames are.
const char* const kFlareAtTheOrigin =
    "flare\nbegin\ntexture textures\\earth.jpg\nsize 100\nalpha 1 fade: 100000 1\nposition V(0 0 0)\nend\n";

TEST_F(SceneRender, BillboardAndFlareShowTheirTexturesWhereTheyStand) {
    writePackage("orbit\nradius 1\n",
                 "billboard\nbegin\ntexture textures\\earth.jpg\nsize 4000\nposition V(0 0 0)\nend\n");
    Picture billboard = render();
    ASSERT_EQ(billboard.width, 160);
    EXPECT_GT(billboard.at(80, 60)[1], 180) << "the billboard's green texture at the centre";
    writePackage("orbit\nradius 1\n", kFlareAtTheOrigin);
    Picture flare = render();
    ASSERT_EQ(flare.width, 160);
    EXPECT_GT(flare.at(80, 60)[1], 180) << "the flare's green texture at the centre";
    // A mask sphere drawn before it hides it: the flare never fades in.
    writePackage("orbit\nmask\nradius 12000\n", kFlareAtTheOrigin);
    Picture hidden = render();
    ASSERT_EQ(hidden.width, 160);
    EXPECT_LT(hidden.at(80, 60)[1], 100) << "no flare behind the mask";
}

TEST_F(SceneRender, DumpPrintsBillboardAndFlareFields) {
    writePackage("orbit\n", "billboard\nbegin\nparent earth V(0 5 0)\nxy 2\nend\n"
                             "flare\nbegin\nparent moon V(1 2 3)\nalpha 1 fade: 0.1 0.05\nend\n");
    std::string dump = run("--dump-scene --data data.sdd");
    for (const char* expected :
         {"\"kind\": \"billboard\"", "\"ownParent\": \"earth\"", "\"anchor\": [0, 5, 0]", "\"xy\": 2",
          "\"kind\": \"flare\"", "\"ownParent\": null", "\"parentNotFound\": true", "\"fadeIn\": 6",
          "\"fadeOut\": 3", "\"fade\": 0", "\"lensTextures\": ["})
        EXPECT_NE(dump.find(expected), std::string::npos) << expected << "\n" << dump;
}

// Flare sizes are written for a screen 800 pixels wide and scaled to the mode in force.
TEST_F(SceneRender, DumpSizesFlaresForTheWidthInForce) {
    writePackage("orbit\n", "flare\nbegin\nsize 100\nlenseffect\n\tsize 10\n\ttexture a\n\ttexture b\n\ttexture c\nend\n");
    const std::pair<const char*, const char*> cases[] = {
        {"--mode 1600x1200", "\"size\": 200"},
        {"--mode 1600x1200", "\"lensSize\": 20"},
        {"--mode 800x600", "\"size\": 100"},
        {"--size 400x300", "\"size\": 50"},
    };
    for (auto [flags, expected] : cases) {
        std::string dump = run(std::string("--dump-scene --data data.sdd ") + flags);
        EXPECT_NE(dump.find(expected), std::string::npos) << flags << ": " << expected << "\n" << dump;
    }
}

TEST_F(SceneRender, CameraDumpFliesAtTheSpeedOfTheFlags) {
    EXPECT_NE(run("--dump-camera --seed 7 --seconds 1 --fps 10 --speed 0"),
              run("--dump-camera --seed 7 --seconds 1 --fps 10 --speed 100"));
}

TEST_F(SceneRender, CameraDumpIsOneRowPerFrameAndRepeatsForTheSameSeed) {
    std::string first = run("--dump-camera --seed 7 --seconds 1 --fps 10");
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 11) << "a header and ten frames";
    EXPECT_EQ(first.rfind("frame,time,eye_x", 0), 0u);
    EXPECT_EQ(run("--dump-camera --seed 7 --seconds 1 --fps 10"), first);
    EXPECT_NE(run("--dump-camera --seed 8 --seconds 1 --fps 10"), first);
}

}  // namespace
}  // namespace tarnel
