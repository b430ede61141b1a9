#include "camera/interpolation.h"
#include "camera/key_track.h"

#include "tests/camera/near.h"

#include <gtest/gtest.h>

#include <cmath>

using tarnel::KeyFrame;
using tarnel::KeyTrack;
using tarnel::Quaternion;
using tarnel::Vector3;
using tarnel::testing::expectNear;
using tarnel::testing::kPi;

namespace {

Quaternion aboutY(double degrees) {
    return Quaternion(0, float(std::sin(degrees * kPi / 360)), 0, float(std::cos(degrees * kPi / 360)));
}

void addKey(KeyTrack& track, float time, Vector3 position, Quaternion orientation = Quaternion(0, 0, 0, 1)) {
    auto key = std::make_unique<KeyFrame>();
    key->time = time;
    key->position = position;
    key->quaternion = orientation;
    track.keys.push_back(std::move(key));
}



}  // namespace

TEST(KeyFrame, ConstructionValues) {
    KeyFrame key;
    EXPECT_FALSE(key.freeze);
    expectNear(key.gradient, Vector3(0, 0, 0), 0);
    expectNear(key.quaternion, Quaternion(0, 0, 0, 0), 0);
    expectNear(key.inControl, Quaternion(0, 1, 0, 1), 0);
    expectNear(key.outControl, Quaternion(0, 1, 0, 1), 0);
}

TEST(KeyFrame, AssignmentCopiesEveryField) {
    KeyFrame source;
    source.time = 3;
    source.freeze = true;
    source.position.set(1, 2, 3);
    source.gradient.set(4, 5, 6);
    source.quaternion = Quaternion(0.1f, 0.2f, 0.3f, 0.4f);
    source.inControl = Quaternion(1, 2, 3, 4);
    source.outControl = Quaternion(5, 6, 7, 8);
    KeyFrame copy;
    copy = source;
    EXPECT_EQ(copy.time, 3);
    EXPECT_TRUE(copy.freeze);
    expectNear(copy.position, source.position, 0);
    expectNear(copy.gradient, source.gradient, 0);
    expectNear(copy.quaternion, source.quaternion, 0);
    expectNear(copy.inControl, source.inControl, 0);
    expectNear(copy.outControl, source.outControl, 0);
}

TEST(KeyTrackPrepare, EndKeysGetOneSidedAndInteriorKeysCentralDifferences) {
    KeyTrack track;
    Vector3 p0(0, 0, 100), p1(10, 20, 30), p2(-40, 6, 8);
    addKey(track, 0, p0, aboutY(0));
    addKey(track, 10, p1, aboutY(60));
    addKey(track, 20, p2, aboutY(100));
    track.keys[1]->gradient.set(99, 99, 99);  // read gradients are overwritten
    track.prepare();
    expectNear(track.keys[0]->gradient, p1 - p0, 1e-4f);
    expectNear(track.keys[1]->gradient, (p2 - p0) / 2, 1e-4f);
    expectNear(track.keys[2]->gradient, p2 - p1, 1e-4f);
    // Positions and orientations stay as they were read.
    expectNear(track.keys[1]->position, p1, 0);
    expectNear(track.keys[1]->quaternion, aboutY(60), 0);
}

TEST(KeyTrackPrepare, ControlsLieOnTheWayToTheNeighbours) {
    KeyTrack track;
    addKey(track, 0, Vector3(0, 0, 0), aboutY(0));
    addKey(track, 1, Vector3(1, 0, 0), aboutY(60));
    addKey(track, 2, Vector3(2, 0, 0), aboutY(120));
    track.prepare();
    expectNear(track.keys[0]->outControl, aboutY(20), 1e-5f);
    expectNear(track.keys[2]->inControl, aboutY(100), 1e-5f);
    // Evenly spaced turns about one axis: the interior controls sit a third of the way back
    // and forward along the same arc. The backward one comes from the linear blend, which
    // extrapolates off the sphere, so only its direction is close.
    expectNear(track.keys[1]->outControl, aboutY(80), 1e-5f);
    Quaternion in = track.keys[1]->inControl;
    EXPECT_GT(std::hypot(in.y, in.w), 1.01);
    in.normalize();
    expectNear(in, aboutY(40), 1e-2f);
}

TEST(KeyTrackPrepare, LeavesTracksOfFewerThanTwoKeysAlone) {
    KeyTrack track;
    track.prepare();
    addKey(track, 0, Vector3(1, 2, 3), aboutY(30));
    track.keys[0]->gradient.set(7, 8, 9);
    track.prepare();
    expectNear(track.keys[0]->gradient, Vector3(7, 8, 9), 0);
    expectNear(track.keys[0]->outControl, Quaternion(0, 1, 0, 1), 0);
}

TEST(KeyTrackEvaluate, MidwayLiesOnTheHermiteCurve) {
    KeyTrack track;
    addKey(track, 0, Vector3(0, 0, 100), aboutY(0));
    addKey(track, 10, Vector3(0, 0, 10), aboutY(90));
    track.prepare();
    auto pose = track.evaluate(5);
    ASSERT_TRUE(pose);
    const KeyFrame& a = *track.keys[0];
    const KeyFrame& b = *track.keys[1];
    expectNear(pose->position, tarnel::hermite(a.position, b.position, a.gradient, b.gradient, 0.5f), 1e-4f);
    Quaternion expected = tarnel::sphericalBezier(a.quaternion, a.outControl, b.inControl, b.quaternion, 0.5);
    expectNear(pose->orientation, expected, 1e-5f);
}

TEST(KeyTrackEvaluate, BeyondTheLastKeyShowsTimeZeroOfTheFirstSegment) {
    KeyTrack track;
    addKey(track, 0, Vector3(0, 0, 100), aboutY(0));
    addKey(track, 10, Vector3(0, 0, 10), aboutY(90));
    track.prepare();
    auto pose = track.evaluate(12);
    ASSERT_TRUE(pose);
    expectNear(pose->position, Vector3(0, 0, 100), 0);
    expectNear(pose->orientation, aboutY(0), 1e-5f);
    addKey(track, 20, Vector3(50, 0, 10), aboutY(120));
    track.prepare();
    pose = track.evaluate(25);
    ASSERT_TRUE(pose);
    expectNear(pose->position, Vector3(0, 0, 100), 0);
}

TEST(KeyTrackEvaluate, PastTheEndWithALateFirstKeyExtrapolatesTheFirstSegment) {
    KeyTrack track;
    addKey(track, 2, Vector3(0, 0, 0));
    addKey(track, 4, Vector3(10, 0, 0));
    track.prepare();
    auto pose = track.evaluate(9);
    ASSERT_TRUE(pose);
    // t becomes 0: u = (0 - 2) / 2 = -1 on the straight first segment.
    expectNear(pose->position, Vector3(-10, 0, 0), 1e-4f);
}

TEST(KeyTrackEvaluate, YieldsNothingBeforeTheFirstKeyOrWithoutKeys) {
    KeyTrack track;
    EXPECT_FALSE(track.evaluate(0));
    addKey(track, 2, Vector3(0, 0, 0));
    addKey(track, 4, Vector3(1, 0, 0));
    track.prepare();
    EXPECT_FALSE(track.evaluate(1));
    EXPECT_TRUE(track.evaluate(2));
}

TEST(KeyTrackEvaluate, OneKeyHoldsItsPoseFromItsTimeOn) {
    KeyTrack track;
    addKey(track, 3, Vector3(1, 2, 3), aboutY(45));
    track.prepare();
    EXPECT_FALSE(track.evaluate(2));
    auto pose = track.evaluate(100);
    ASSERT_TRUE(pose);
    expectNear(pose->position, Vector3(1, 2, 3), 0);
    expectNear(pose->orientation, aboutY(45), 0);
}

TEST(KeyTrackEvaluate, KeysAtTheSameTimeGiveTheEarlierPoseNotNaN) {
    KeyTrack track;
    addKey(track, 0, Vector3(0, 0, 0));
    addKey(track, 5, Vector3(1, 0, 0));
    addKey(track, 5, Vector3(2, 0, 0));
    track.prepare();
    // t = 5 falls into the first segment at its end; a time only the zero-length segment
    // encloses shows its first key.
    auto pose = track.evaluate(5);
    ASSERT_TRUE(pose);
    expectNear(pose->position, Vector3(1, 0, 0), 1e-4f);
    KeyTrack flat;
    addKey(flat, 5, Vector3(1, 0, 0));
    addKey(flat, 5, Vector3(2, 0, 0));
    flat.prepare();
    pose = flat.evaluate(5);
    ASSERT_TRUE(pose);
    EXPECT_TRUE(std::isfinite(pose->position.x));
    expectNear(pose->position, Vector3(1, 0, 0), 1e-4f);
}

TEST(KeyTrack, ClearEmptiesTheTrack) {
    KeyTrack track;
    addKey(track, 0, Vector3(0, 0, 0));
    addKey(track, 1, Vector3(1, 0, 0));
    track.clear();
    EXPECT_TRUE(track.keys.empty());
    EXPECT_FALSE(track.evaluate(0.5));
}
