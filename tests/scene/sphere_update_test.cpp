// Sphere update without a GL context: spin, moons, the system orbit, satellites, flash timers.
#include "camera/random.h"
#include "camera/rotation.h"
#include "scene/sphere.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tarnel {
namespace {

void expectNear(Vector3 actual, Vector3 expected, float tolerance = 1e-3f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

TEST(SphereUpdate, ConstructorSetsTheDocumentedDefaults) {
    seedRandom(7);
    Sphere sphere;
    EXPECT_EQ(sphere.radius, 5.0f);
    EXPECT_EQ(sphere.rotationSpeed, 0.2f);
    EXPECT_EQ(sphere.orientAngle, 90.0f);
    EXPECT_EQ(sphere.period, 365.0f);
    EXPECT_TRUE(sphere.systemOrbit);
    EXPECT_EQ(sphere.flashTimer, 1.0f);
    EXPECT_EQ(sphere.flashPeriod, 1.0f);
    EXPECT_GE(sphere.moonAngle, 0.0f);
    EXPECT_LE(sphere.moonAngle, 350.0f);
    EXPECT_GE(sphere.flashOffsetS, 0.0f);
    EXPECT_LE(sphere.flashOffsetT, 1.0f);
}

TEST(SphereUpdate, SpinAndMoonOrbitWrapIntoZeroTo360EitherWayHoweverLargeTheStep) {
    Sphere sphere;
    sphere.rotationSpeed = 100.0f;
    sphere.update(0.5);
    EXPECT_FLOAT_EQ(sphere.rotationAngle, 50.0f);
    sphere.rotationAngle = 350.0f;
    sphere.update(0.2);
    EXPECT_FLOAT_EQ(sphere.rotationAngle, 10.0f);
    sphere.rotationAngle = 0.0f;
    sphere.update(8.0);  // 800 degrees in one step
    EXPECT_FLOAT_EQ(sphere.rotationAngle, 80.0f);
    // A negative spin, as the sky's counter-turning layers have, wraps below 0 too; left to
    // fall it would freeze once its float could no longer take a frame's step.
    sphere.rotationSpeed = -100.0f;
    sphere.rotationAngle = 10.0f;
    sphere.update(0.2);
    EXPECT_FLOAT_EQ(sphere.rotationAngle, 350.0f);
    sphere.update(9.0);  // 900 degrees back
    EXPECT_FLOAT_EQ(sphere.rotationAngle, 170.0f);
    sphere.rotationSpeed = NAN;
    sphere.update(0.1);
    EXPECT_EQ(sphere.rotationAngle, 0.0f) << "a spin that is no number stands still";

    Sphere moon;
    moon.moon = true;
    moon.moonSpeed = -50.0f;  // twice that in degrees per second
    moon.moonAngle = 30.0f;
    moon.update(1.0);
    EXPECT_FLOAT_EQ(moon.moonAngle, 290.0f);
    EXPECT_FLOAT_EQ(moon.rotationAngle, 290.0f);
}

TEST(SphereUpdate, SystemOrbitStandsAtTheInitialPositionAndPltOnTheEllipse) {
    Sphere planet;
    planet.initialPosition = Vector3(1000, 20, -30);
    planet.update(1.0);
    expectNear(planet.position, Vector3(1000, 20, -30));

    Sphere plt;
    plt.plt = true;
    plt.update(1.0);
    expectNear(plt.position, Vector3(1.5f * 412000, 0.2f * 1.5f * 412000, 0), 0.5f);

    Sphere sun;
    sun.light = true;
    sun.initialPosition = Vector3(5, 5, 5);
    sun.update(1.0);
    expectNear(sun.position, Vector3(0, 0, 0));  // a light sphere is not placed on the orbit
}

TEST(SphereUpdate, MoonOrbitsOnlyWhenOrbitClearedTheSystemOrbit) {
    Sphere moon;
    moon.moon = true;
    moon.moonSpeed = 2.0f;
    moon.moonAngle = 0.0f;
    moon.systemOrbit = false;
    moon.initialPosition = Vector3(100, 0, 0);
    moon.update(22.5);  // 2 x 2 x 22.5 = 90 degrees
    EXPECT_FLOAT_EQ(moon.moonAngle, 90.0f);
    EXPECT_FLOAT_EQ(moon.rotationAngle, 90.0f) << "a moon shows its centre the same face";
    Vector3 expected(100, 0, 0);
    rotateAboutAxis(expected, Vector3(0, 1, 0), -90.0f);
    expectNear(moon.position, expected);
    expectNear(moon.position, Vector3(0, 0, -100));

    Sphere onOrbit;
    onOrbit.moon = true;
    onOrbit.moonSpeed = 2.0f;
    onOrbit.initialPosition = Vector3(100, 0, 0);
    onOrbit.update(22.5);
    expectNear(onOrbit.position, Vector3(100, 0, 0));
}

TEST(SphereUpdate, SatelliteTurnsItsInitialPositionByItsSpin) {
    Sphere parent;
    Sphere satellite;
    satellite.parent = &parent;
    satellite.sys = true;
    satellite.light = true;
    satellite.rotationSpeed = 30.0f;
    satellite.initialPosition = Vector3(10, 0, 0);
    satellite.update(1.0);
    Vector3 expected(10, 0, 0);
    rotateAboutAxis(expected, Vector3(0, 1, 0), 30.0f);
    expectNear(satellite.position, expected);
    expectNear(satellite.position, Vector3(8.660254f, 0, 5.0f));
}

TEST(SphereUpdate, UranmoonOrbitsAcrossItsParentsDirection) {
    Sphere parent;
    parent.position = Vector3(100, 0, 0);
    Sphere moon;
    moon.parent = &parent;
    moon.sys = true;
    moon.uranmoon = true;
    moon.light = true;
    moon.rotationSpeed = 0.0f;
    moon.initialPosition = Vector3(7, 0, 0);
    moon.update(0.0);
    expectNear(moon.position, Vector3(0, 0, -7));  // (0, 1, 0) x (100, 0, 0) points along -z
    moon.rotationAngle = 90.0f;
    moon.update(0.0);
    Vector3 expected(0, 0, -7);
    rotateAboutAxis(expected, Vector3(100, 0, 0), 90.0f);
    expectNear(moon.position, expected);
    EXPECT_NEAR(moon.position.length(), 7.0f, 1e-3f);
}

TEST(SphereUpdate, UranmoonWithoutAPlaneKeepsItsScriptPosition) {
    Sphere onAxis;
    onAxis.position = Vector3(0, 50, 0);
    Sphere moon;
    moon.parent = &onAxis;
    moon.sys = moon.uranmoon = moon.light = true;
    moon.initialPosition = Vector3(7, 1, 2);
    moon.update(0.1);
    expectNear(moon.position, Vector3(7, 1, 2));
    EXPECT_TRUE(std::isfinite(moon.position.x));

    Sphere orphan;
    orphan.sys = orphan.uranmoon = orphan.light = true;
    orphan.update(0.1);
    EXPECT_TRUE(std::isfinite(orphan.position.x) && std::isfinite(orphan.position.z));
}

TEST(SphereUpdate, FlashTimerTogglesEveryHalfSecondAfterItsFirstPeriod) {
    Sphere layer;
    layer.flash = true;
    layer.flashTimer = 0.25f;
    layer.flashPeriod = 0.5f;
    layer.flashOn = true;
    layer.update(0.2);
    EXPECT_TRUE(layer.flashOn);
    EXPECT_FLOAT_EQ(layer.flashTimer, 0.45f);
    layer.update(0.1);
    EXPECT_FALSE(layer.flashOn);
    EXPECT_NEAR(layer.flashTimer, 0.05f, 1e-6f);
    EXPECT_EQ(layer.flashPeriod, 0.5f);
    float s = layer.flashOffsetS;
    layer.update(0.5);
    EXPECT_TRUE(layer.flashOn);
    EXPECT_NE(layer.flashOffsetS, s) << "a new on phase moves the texture";
    EXPECT_GE(layer.flashRotation, 0.0f);
    EXPECT_LE(layer.flashRotation, 180.0f);
}

TEST(SphereUpdate, RandomFlashRestartsWithLongOnAndShortOffPhases) {
    seedRandom(1234);
    Sphere layer;
    layer.flash = layer.rnd = true;
    layer.flashPeriod = 0.5f;
    layer.flashTimer = 0.0f;
    bool wasOn = layer.flashOn;
    for (int i = 0; i < 200; ++i) {
        layer.update(0.05);
        if (layer.flashOn != wasOn) {
            EXPECT_EQ(layer.flashTimer, 0.0f);
            if (layer.flashOn) {
                EXPECT_GE(layer.flashPeriod, 0.4f);
                EXPECT_LE(layer.flashPeriod, 0.8f);
            } else {
                EXPECT_GE(layer.flashPeriod, 0.1f);
                EXPECT_LE(layer.flashPeriod, 0.2f);
            }
            wasOn = layer.flashOn;
        }
    }
}

}  // namespace
}  // namespace tarnel
