#include "camera/random.h"
#include "camera/rotation.h"
#include "platform/offscreen_gl.h"

#include <GL/gl.h>
#include "tests/camera/near.h"

#include <gtest/gtest.h>

#include <cmath>

using tarnel::Vector3;
using tarnel::testing::expectNear;

namespace {


}  // namespace

TEST(RotateAboutAxis, TurnsClockwiseSeenFromTheAxisTip) {
    Vector3 v(1, 0, 0);
    tarnel::rotateAboutAxis(v, Vector3(0, 0, 1), 90);
    expectNear(v, Vector3(0, -1, 0), 1e-5f);

    Vector3 w(0, 0, 1);
    tarnel::rotateAboutAxis(w, Vector3(1, 0, 0), 90);
    expectNear(w, Vector3(0, 1, 0), 1e-5f);
}

TEST(RotateAboutAxis, AxisLengthDoesNotMatter) {
    Vector3 unit(3, -2, 5), doubled(3, -2, 5);
    tarnel::rotateAboutAxis(unit, tarnel::normalize(Vector3(1, 1, 0)), 37);
    tarnel::rotateAboutAxis(doubled, Vector3(2, 2, 0), 37);
    expectNear(doubled, unit, 1e-5f);
}

TEST(RotateAboutAxis, ZeroAxisLeavesTheVectorAlone) {
    Vector3 v(4, 5, 6);
    tarnel::rotateAboutAxis(v, Vector3(0, 0, 0), 45);
    expectNear(v, Vector3(4, 5, 6), 0.0f);
}

TEST(RotateAboutAxis, KeepsLengthOfCameraSizedVectors) {
    Vector3 v(0, 0, 90000);
    tarnel::rotateAboutAxis(v, Vector3(0.3f, 0.8f, -0.2f), 213);
    EXPECT_NEAR(v.length(), 90000.0f, 0.05f);
}

// The closed formula stands in for the matrix-stack procedure: read glRotatef's matrix with
// the vector put in the fourth row, as the stack version does.
TEST(RotateAboutAxis, AgreesWithTheOpenGlMatrixStack) {
    auto gl = tarnel::platform::OffscreenGl::create(8, 8);
    if (!gl) GTEST_SKIP() << "no offscreen OpenGL context";
    const Vector3 axes[] = {{0, 0, 1}, {1, 2, 3}, {-0.5f, 0.1f, 0.7f}};
    const float angles[] = {90, 40, -63.5f, 300};
    glMatrixMode(GL_MODELVIEW);
    for (Vector3 axis : axes) {
        for (float angle : angles) {
            Vector3 v(12, -7, 3);
            glPushMatrix();
            glLoadIdentity();
            float m[16];
            glGetFloatv(GL_MODELVIEW_MATRIX, m);
            m[3] = v.x;
            m[7] = v.y;
            m[11] = v.z;
            glLoadMatrixf(m);
            glRotatef(angle, axis.x, axis.y, axis.z);
            glGetFloatv(GL_MODELVIEW_MATRIX, m);
            glPopMatrix();
            tarnel::rotateAboutAxis(v, axis, angle);
            expectNear(v, Vector3(m[3], m[7], m[11]), 1e-4f);
        }
    }
}

TEST(RandomUnitVector, DrawsXYZFromTheGeneratorOntoACube) {
    tarnel::seedRandom(7);
    float x = tarnel::random01() * 20 - 10;
    float y = tarnel::random01() * 20 - 10;
    float z = tarnel::random01() * 20 - 10;
    tarnel::seedRandom(7);
    Vector3 v = tarnel::randomUnitVector();
    expectNear(v, tarnel::normalize(Vector3(x, y, z)), 1e-6f);
    EXPECT_NEAR(v.length(), 1.0f, 1e-6f);
    // Exactly three draws were used.
    tarnel::seedRandom(7);
    for (int i = 0; i < 3; ++i) tarnel::randomInt();
    int next = tarnel::randomInt();
    tarnel::seedRandom(7);
    tarnel::randomUnitVector();
    EXPECT_EQ(tarnel::randomInt(), next);
}
