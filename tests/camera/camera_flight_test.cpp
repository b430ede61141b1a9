#include "camera/camera_csv.h"
#include "camera/camera_director.h"
#include "camera/camera_view.h"
#include "camera/random.h"
#include "platform/offscreen_gl.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <string>
#include <vector>

using tarnel::CameraDirector;
using tarnel::Vector3;

namespace {

bool finite(Vector3 v) { return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z); }

std::size_t lineCount(const std::string& text) {
    std::size_t lines = 0;
    for (char c : text) lines += c == '\n';
    return lines;
}

}  // namespace

// Hours of simulated flight at several frame rates and speeds: the camera must never leave
// its orbit, lose a unit vector, or produce a non-finite number.
TEST(CameraFlight, HoursOfFlightStayFiniteUnitAndInOrbit) {
    struct Case {
        double fps;
        double speedFactor;
        double hours;
    };
    for (Case c : {Case{24, 0.5, 2.0}, Case{60, 1.0, 1.0}, Case{144, 2.5, 0.5}, Case{7, 2.5, 3.0}}) {
        tarnel::seedRandom(std::uint32_t(c.fps * 1000));
        CameraDirector director;
        director.start();
        double dt = c.speedFactor / c.fps;
        long frames = long(c.hours * 3600 * c.fps);
        float nearest = 1e30f, farthest = 0, worstFacing = 1;
        for (long i = 0; i < frames; ++i) {
            director.step(dt);
            ASSERT_TRUE(finite(director.eye) && finite(director.look) && finite(director.up))
                << "fps " << c.fps << " frame " << i;
            ASSERT_NEAR(director.look.length(), 1.0f, 1e-4f);
            ASSERT_NEAR(director.up.length(), 1.0f, 1e-4f);
            ASSERT_NEAR(tarnel::dot(director.look, director.up), 0.0f, 1e-4f);
            float distance = director.eye.length();
            if (i > frames / 100) {  // past the approach from 90000 units
                nearest = std::min(nearest, distance);
                farthest = std::max(farthest, distance);
            }
            worstFacing = std::min(worstFacing, tarnel::dot(director.look, tarnel::normalize(-director.eye)));
        }
        EXPECT_GT(nearest, 30000.0f) << "fps " << c.fps;
        EXPECT_LT(farthest, 55000.0f) << "fps " << c.fps;
        EXPECT_GT(worstFacing, 0.9f) << "fps " << c.fps;
    }
}

TEST(CameraView, LooksFromTheEyeAlongLookWithUpOnTop) {
    auto gl = tarnel::platform::OffscreenGl::create(8, 8);
    if (!gl) GTEST_SKIP() << "no offscreen OpenGL context";
    tarnel::seedRandom(9);
    CameraDirector director;
    director.start();
    director.step(4.2);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    tarnel::applyCameraView(director);
    double m[16];
    glGetDoublev(GL_MODELVIEW_MATRIX, m);
    auto transform = [&](Vector3 p, double w) {
        return Vector3(float(m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12] * w),
                       float(m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13] * w),
                       float(m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14] * w));
    };
    Vector3 eye = transform(director.eye, 1);
    EXPECT_NEAR(eye.length(), 0.0f, 0.05f);
    Vector3 forward = transform(director.look, 0);
    EXPECT_NEAR(forward.z, -1.0f, 1e-5f);
    Vector3 up = transform(director.up, 0);
    EXPECT_NEAR(up.y, 1.0f, 1e-5f);
}

TEST(CameraCsv, WritesOneRowPerFrameOfTheSeededFlight) {
    std::ostringstream out;
    ASSERT_TRUE(tarnel::writeCameraCsv(out, 42, 10.0, 60.0, 1.0));
    std::string text = out.str();
    EXPECT_EQ(text.rfind("frame,time,eye_x,eye_y,eye_z,look_x,look_y,look_z,up_x,up_y,up_z\n", 0), 0u);
    EXPECT_EQ(lineCount(text), 601u);

    tarnel::seedRandom(42);
    CameraDirector director;
    director.start();
    for (int i = 0; i < 600; ++i) director.step(1.0 / 60.0);
    std::istringstream rows(text);
    std::string row, last;
    while (std::getline(rows, row)) last = row;
    char expected[256];
    std::snprintf(expected, sizeof expected, "600,10.000000,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g,%.9g",
                  director.eye.x, director.eye.y, director.eye.z, director.look.x, director.look.y,
                  director.look.z, director.up.x, director.up.y, director.up.z);
    EXPECT_EQ(last, expected);

    std::ostringstream again;
    tarnel::writeCameraCsv(again, 42, 10.0, 60.0, 1.0);
    EXPECT_EQ(again.str(), text);
}

TEST(CameraCsv, SpeedScaleStretchesTheFlight) {
    auto lastRow = [](double seconds, double speedScale) {
        std::ostringstream out;
        tarnel::writeCameraCsv(out, 5, seconds, 10.0, speedScale);
        std::istringstream rows(out.str());
        std::string row, last;
        while (std::getline(rows, row)) last = row;
        std::vector<double> values;
        std::istringstream fields(last);
        std::string field;
        while (std::getline(fields, field, ',')) values.push_back(std::stod(field));
        return values;
    };
    std::vector<double> slow = lastRow(20.0, 0.5), fast = lastRow(10.0, 1.0);
    ASSERT_EQ(slow.size(), 11u);
    ASSERT_EQ(fast.size(), 11u);
    EXPECT_EQ(slow[0], 200);
    EXPECT_EQ(fast[0], 100);
    // Same scaled time, so the same camera up to the rounding of the summed steps.
    for (int i = 2; i < 5; ++i) EXPECT_NEAR(slow[i], fast[i], 0.5);
    for (int i = 5; i < 11; ++i) EXPECT_NEAR(slow[i], fast[i], 1e-5);
}

TEST(CameraCsv, RefusesNonsenseArgumentsAfterTheHeader) {
    struct Args {
        double seconds, fps, speedScale;
    };
    const double nan = std::nan(""), infinity = HUGE_VAL;
    for (Args a : {Args{10, 0, 1}, Args{-1, 60, 1}, Args{nan, 60, 1}, Args{10, infinity, 1}, Args{10, 60, nan},
                   Args{1e300, 60, 1}}) {
        std::ostringstream out;
        EXPECT_FALSE(tarnel::writeCameraCsv(out, 1, a.seconds, a.fps, a.speedScale));
        EXPECT_EQ(lineCount(out.str()), 1u);
    }
}
