// Componentwise closeness checks for the camera tests, and the pi their angles are built from.
#pragma once

#include "camera/quaternion.h"
#include "camera/vector3.h"

#include <gtest/gtest.h>

namespace tarnel::testing {

constexpr double kPi = 3.14159265358979323846;

inline void expectNear(Vector3 actual, Vector3 expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

inline void expectNear(const Quaternion& actual, const Quaternion& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
    EXPECT_NEAR(actual.w, expected.w, tolerance);
}

}  // namespace tarnel::testing
