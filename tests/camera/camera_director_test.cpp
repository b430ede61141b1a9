#include "camera/camera_director.h"
#include "camera/interpolation.h"
#include "camera/random.h"

#include "tests/camera/near.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using tarnel::CameraDirector;
using tarnel::KeyFrame;
using tarnel::Vector3;
using tarnel::testing::expectNear;

namespace {


CameraDirector startedDirector(std::uint32_t seed) {
    tarnel::seedRandom(seed);
    CameraDirector director;
    director.start();
    return director;
}

// Moves on to the next key with no remainder, so the frame is evaluated exactly at a key.
void stepOntoNextKey(CameraDirector& director) {
    director.segmentParameter = 1.0f;
    director.step(0.0);
}

// Seconds of flight between key changes at a steady 60 frames a second.
std::vector<double> keyIntervals(double speedFactor, double seconds) {
    CameraDirector director = startedDirector(11);
    const double frame = 1.0 / 60.0;
    std::vector<double> changes;
    for (int i = 1; i <= int(seconds * 60); ++i) {
        float before = director.segmentParameter;
        director.step(frame * speedFactor);
        if (director.segmentParameter < before) changes.push_back(i * frame);
    }
    std::vector<double> intervals;
    for (std::size_t i = 1; i < changes.size(); ++i) intervals.push_back(changes[i] - changes[i - 1]);
    return intervals;
}

}  // namespace

TEST(CameraDirector, StepZeroRecomputesTheSamePose) {
    CameraDirector director = startedDirector(3);
    director.step(3.7);
    CameraDirector before = director;
    director.step(0.0);
    EXPECT_EQ(director.segmentParameter, before.segmentParameter);
    expectNear(director.position, before.position, 0);
    expectNear(director.eye, before.position, 0);
    expectNear(director.look, before.look, 0);
    expectNear(director.up, before.up, 0);
    expectNear(director.k0.position, before.k0.position, 0);
}

TEST(CameraDirector, KeysChangeEveryTenUnitsOfScaledTime) {
    struct Case {
        double factor;
        double seconds;
    };
    for (Case c : {Case{1.0, 10.0}, Case{0.5, 20.0}, Case{2.5, 4.0}}) {
        std::vector<double> intervals = keyIntervals(c.factor, 12 * c.seconds);
        ASSERT_GE(intervals.size(), 10u) << "factor " << c.factor;
        for (double interval : intervals) EXPECT_NEAR(interval, c.seconds, 1.5 / 60) << "factor " << c.factor;
    }
}

TEST(CameraDirector, LongStepShiftsOnceAndExtrapolates) {
    CameraDirector director = startedDirector(5);
    KeyFrame oldK1 = director.k1;
    KeyFrame oldK2 = director.k2;
    director.step(25.0);
    EXPECT_FLOAT_EQ(director.segmentParameter, 1.5f);
    expectNear(director.k0.position, oldK1.position, 0);
    expectNear(director.k1.position, oldK2.position, 0);
    Vector3 expected = tarnel::hermite(director.k0.position, director.k1.position, director.k0.gradient,
                                       director.k1.gradient, 1.5f);
    expectNear(director.position, expected, 0.01f);

    KeyFrame newK1 = director.k1;
    director.step(0.0);
    EXPECT_FLOAT_EQ(director.segmentParameter, 0.5f);
    expectNear(director.k0.position, newK1.position, 0);
}

TEST(CameraDirector, StartKeysLieBetweenFortyAndFortyFiveThousandAfterTheApproach) {
    for (std::uint32_t seed : {1u, 2u, 99u, 12345u}) {
        CameraDirector director = startedDirector(seed);
        EXPECT_NEAR(director.k0.position.length(), 90000.0f, 1.0f);
        for (const KeyFrame* key : {&director.k1, &director.k2}) {
            EXPECT_GE(key->position.length(), 40000.0f - 0.5f);
            EXPECT_LE(key->position.length(), 45000.0f + 0.5f);
        }
        expectNear(director.k0.gradient, Vector3(0, 0, 0), 0);
    }
}

TEST(CameraDirector, LaterKeysLieBetweenFortyAndFiftyThousandAndSwingFortyDegrees) {
    CameraDirector director = startedDirector(21);
    for (int i = 0; i < 500; ++i) {
        stepOntoNextKey(director);
        float distance = director.k2.position.length();
        ASSERT_GE(distance, 40000.0f - 0.5f);
        ASSERT_LE(distance, 50000.0f + 0.5f);
        float cosine = tarnel::dot(tarnel::normalize(director.k1.position), tarnel::normalize(director.k2.position));
        // The swing is 40 degrees about an axis tilted up to 70 degrees from y, so the angle
        // between keys is at most 40 degrees.
        ASSERT_GE(cosine, std::cos(40.0 * 3.14159265358979 / 180.0) - 1e-4);
    }
}

TEST(CameraDirector, AtEveryKeyLooksAtTheOriginWithWorldDownwardUp) {
    CameraDirector director = startedDirector(8);
    for (int i = 0; i < 200; ++i) {
        stepOntoNextKey(director);
        ASSERT_EQ(director.segmentParameter, 0.0f);
        expectNear(director.position, director.k0.position, 0.0f);
        expectNear(director.look, tarnel::normalize(-director.position), 1e-5f);
        EXPECT_LE(tarnel::dot(director.up, Vector3(0, 1, 0)), 1e-6f);
        EXPECT_NEAR(tarnel::dot(director.up, director.look), 0.0f, 1e-5f);
    }
}

TEST(CameraDirector, FirstFrameStartsNinetyThousandOutFacingTheOrigin) {
    CameraDirector director = startedDirector(4);
    director.step(1e-4);
    EXPECT_NEAR(director.position.length(), 90000.0f, 1.0f);
    expectNear(director.position, director.k0.position, 1.0f);
    EXPECT_GT(tarnel::dot(director.look, tarnel::normalize(-director.position)), 0.9999f);
}

TEST(CameraDirector, SameSeedFliesTheSameFlight) {
    // Every key draws from the one generator, so each flight runs to its end before the next.
    auto flyFrom = [](std::uint32_t seed) {
        CameraDirector director = startedDirector(seed);
        for (int i = 0; i < 5; ++i) director.step(7.3);
        return director;
    };
    CameraDirector a = flyFrom(77);
    CameraDirector b = flyFrom(77);
    CameraDirector other = flyFrom(78);
    expectNear(a.eye, b.eye, 0);
    expectNear(a.look, b.look, 0);
    expectNear(a.up, b.up, 0);
    EXPECT_GT((a.eye - other.eye).length(), 1.0f);
}

TEST(CameraDirector, KeyOnTheYAxisStillGetsAFiniteOrthonormalFrame) {
    CameraDirector director;
    for (Vector3 p : {Vector3(0, 50000, 0), Vector3(0, -42000, 0), Vector3(1e-3f, 45000, -1e-3f)}) {
        KeyFrame key;
        director.orientKey(key, p);
        director.k0 = key;
        director.k1 = key;
        director.segmentParameter = 0.0f;
        director.step(0.0);
        for (float value : {director.look.x, director.look.y, director.look.z, director.up.x, director.up.y,
                            director.up.z})
            ASSERT_TRUE(std::isfinite(value)) << p.y;
        expectNear(director.look, tarnel::normalize(-p), 1e-5f);
        EXPECT_NEAR(director.up.length(), 1.0f, 1e-5f);
        EXPECT_NEAR(tarnel::dot(director.up, director.look), 0.0f, 1e-5f);
    }
}

TEST(CameraDirector, NonFiniteTimeDoesNotAdvanceTheFlight) {
    CameraDirector director = startedDirector(6);
    director.step(2.0);
    float before = director.segmentParameter;
    director.step(std::nan(""));
    director.step(INFINITY);
    EXPECT_EQ(director.segmentParameter, before);
    EXPECT_TRUE(std::isfinite(director.position.x));
}
