#include "camera/interpolation.h"
#include "camera/matrix.h"
#include "camera/quaternion.h"
#include "camera/rotation.h"

#include "tests/camera/near.h"

#include <gtest/gtest.h>

#include <cmath>

using tarnel::Quaternion;
using tarnel::Vector3;
using tarnel::testing::expectNear;
using tarnel::testing::kPi;

namespace {

// The quaternion of a rotation by angleDegrees about a unit axis.
Quaternion aboutAxis(Vector3 axis, double angleDegrees) {
    double half = angleDegrees * kPi / 360.0;
    float s = float(std::sin(half));
    return Quaternion(axis.x * s, axis.y * s, axis.z * s, float(std::cos(half)));
}



Vector3 xAxisOf(const float m[16]) { return Vector3(m[0], m[4], m[8]); }
Vector3 zAxisOf(const float m[16]) { return Vector3(m[2], m[6], m[10]); }

}  // namespace

TEST(Slerp, OppositeQuaternionInterpolatesTowardsTheStartItself) {
    Quaternion a = aboutAxis(tarnel::normalize(Vector3(1, 2, 3)), 70);
    Quaternion b(-a.x, -a.y, -a.z, -a.w);
    for (double t : {-1.0, 0.0, 0.3, 0.5, 1.0}) expectNear(tarnel::slerp(a, b, t), a, 1e-5f);
}

TEST(Slerp, CloseRotationsBlendLinearly) {
    Quaternion a = aboutAxis(Vector3(0, 0, 1), 0);
    Quaternion b = aboutAxis(Vector3(0, 0, 1), 40);
    Quaternion half = tarnel::slerp(a, b, 0.5);
    expectNear(half, Quaternion(0.5f * (a.x + b.x), 0.5f * (a.y + b.y), 0.5f * (a.z + b.z),
                                0.5f * (a.w + b.w)), 1e-5f);
    // The linear blend is shorter than unit length: it is not renormalised.
    double length = std::sqrt(half.z * half.z + half.w * half.w);
    EXPECT_LT(length, 0.99);
}

TEST(Slerp, DistantRotationsFollowTheSphere) {
    Quaternion a = aboutAxis(Vector3(0, 0, 1), 0);
    Quaternion b = aboutAxis(Vector3(0, 0, 1), 90);
    expectNear(tarnel::slerp(a, b, 0.5), aboutAxis(Vector3(0, 0, 1), 45), 1e-5f);
}

TEST(Slerp, ExtrapolatesOutsideZeroToOne) {
    Quaternion a = aboutAxis(Vector3(0, 1, 0), 0);
    Quaternion b = aboutAxis(Vector3(0, 1, 0), 120);
    expectNear(tarnel::slerp(a, b, -1), aboutAxis(Vector3(0, 1, 0), -120), 1e-5f);
    expectNear(tarnel::slerp(a, b, 1.0 / 3.0), aboutAxis(Vector3(0, 1, 0), 40), 1e-5f);
    expectNear(tarnel::slerp(a, b, 1), b, 1e-5f);
}

TEST(FromMatrix, IdentityGivesTheIdentityQuaternion) {
    float m[16];
    tarnel::basisMatrix(Vector3(1, 0, 0), Vector3(0, 0, 1), Vector3(0, 1, 0), m);
    expectNear(tarnel::fromMatrix(m), Quaternion(0, 0, 0, 1), 0.0f);
}

TEST(FromMatrix, BasisQuaternionMapsTheAxesOntoItsColumns) {
    float m[16];
    tarnel::basisMatrix(Vector3(0, 0, -1), Vector3(0, -1, 0), Vector3(1, 0, 0), m);
    Quaternion q = tarnel::fromMatrix(m);
    float out[16];
    tarnel::toMatrix(q, out);
    expectNear(xAxisOf(out), Vector3(0, 0, -1), 1e-5f);
    expectNear(zAxisOf(out), Vector3(0, -1, 0), 1e-5f);
}

// Trace below zero takes the largest-diagonal branch; each of the three choices must still
// give back the basis it was built from.
TEST(FromMatrix, EveryDiagonalBranchRoundTripsThroughToMatrix) {
    const Vector3 looks[] = {{-1, 0, 0}, {0.2f, -0.9f, 0.1f}, {0.1f, 0.3f, -0.9f}, {0.6f, 0.6f, -0.5f}};
    for (Vector3 look : looks) {
        look = tarnel::normalize(look);
        Vector3 side = tarnel::normalize(tarnel::cross(Vector3(0, -1, 0), look));
        Vector3 up = tarnel::normalize(tarnel::cross(look, side));
        float m[16];
        tarnel::basisMatrix(look, up, side, m);
        float out[16];
        tarnel::toMatrix(tarnel::fromMatrix(m), out);
        expectNear(xAxisOf(out), look, 1e-5f);
        expectNear(zAxisOf(out), up, 1e-5f);
        expectNear(Vector3(out[1], out[5], out[9]), side, 1e-5f);
    }
}

TEST(ToMatrix, WritesTheRotationByRowsWithAZeroFourthRowAndColumn) {
    Quaternion q = aboutAxis(Vector3(0, 0, 1), 90);
    float out[16];
    tarnel::toMatrix(q, out);
    // A quarter turn about z maps x onto y; read by stride 4.
    expectNear(xAxisOf(out), Vector3(0, 1, 0), 1e-5f);
    for (int e : {3, 7, 11, 12, 13, 14}) EXPECT_EQ(out[e], 0.0f);
    EXPECT_EQ(out[15], 1.0f);
}

TEST(QuaternionNormalize, DividesAllFourComponentsByTheLength) {
    Quaternion q(0, 3, 0, 4);
    q.normalize();
    expectNear(q, Quaternion(0, 0.6f, 0, 0.8f), 1e-7f);
}

TEST(SphericalBezier, EndsAtItsOuterQuaternions) {
    Quaternion q0 = aboutAxis(Vector3(1, 0, 0), 10);
    Quaternion c0 = aboutAxis(Vector3(0, 1, 0), 80);
    Quaternion c1 = aboutAxis(Vector3(0, 0, 1), 100);
    Quaternion q1 = aboutAxis(tarnel::normalize(Vector3(1, 1, 1)), 150);
    expectNear(tarnel::sphericalBezier(q0, c0, c1, q1, 0), q0, 1e-5f);
    expectNear(tarnel::sphericalBezier(q0, c0, c1, q1, 1), q1, 1e-5f);
}

TEST(SphericalBezier, EqualControlsStayOnTheGreatArc) {
    Quaternion q0 = aboutAxis(Vector3(0, 1, 0), 0);
    Quaternion q1 = aboutAxis(Vector3(0, 1, 0), 120);
    Quaternion c0 = tarnel::slerp(q0, q1, 1.0 / 3.0);
    Quaternion c1 = tarnel::slerp(q0, q1, 2.0 / 3.0);
    Quaternion mid = tarnel::sphericalBezier(q0, c0, c1, q1, 0.5);
    mid.normalize();
    expectNear(mid, aboutAxis(Vector3(0, 1, 0), 60), 1e-4f);
}

TEST(Hermite, EndsAtItsPointsWhateverTheTangents) {
    Vector3 p0(1, 2, 3), p1(-4, 5, 60), m0(1000, -50, 7), m1(-3, 800, 2);
    expectNear(tarnel::hermite(p0, p1, m0, m1, 0), p0, 0.0f);
    expectNear(tarnel::hermite(p0, p1, m0, m1, 1), p1, 0.0f);
}

TEST(Hermite, MidpointWeighsTangentsUnscaled) {
    Vector3 p0(0, 0, 0), p1(10, 0, 0), m0(0, 8, 0), m1(0, 4, 0);
    // At t = 1/2: (p0 + p1) / 2 + (m0 - m1) / 8.
    expectNear(tarnel::hermite(p0, p1, m0, m1, 0.5f), Vector3(5, 0.5f, 0), 1e-5f);
}

TEST(BasisMatrix, PutsTheThirdArgumentInTheSecondColumn) {
    float m[16];
    tarnel::basisMatrix(Vector3(1, 2, 3), Vector3(4, 5, 6), Vector3(7, 8, 9), m);
    const float expected[16] = {1, 2, 3, 0, 7, 8, 9, 0, 4, 5, 6, 0, 0, 0, 0, 1};
    for (int e = 0; e < 16; ++e) EXPECT_EQ(m[e], expected[e]) << "element " << e;
}
