// Particle system update without GL: the stream's respawn, the bursts of a circ system and
// the sweep and chain of a flash strike.
#include "camera/random.h"
#include "scene/particle_system.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

namespace tarnel {
namespace {

constexpr int kDens = 8;

std::unique_ptr<ParticleSystem> system(ParticleMode mode) {
    seedRandom(7);
    auto s = std::make_unique<ParticleSystem>();
    s->mode = mode;
    s->point1 = Vector3(100, 200, 300);
    s->allocateParticles(kDens);
    return s;
}

TEST(ParticleUpdate, DensMakesAnAgedCloudAndResetsThePhase) {
    auto owned = system(ParticleMode::Line);
    ParticleSystem& s = *owned;
    s.time = 5.0f;
    s.allocateParticles(3);
    EXPECT_EQ(s.time, 0.0f);
    ASSERT_EQ(s.particles.size(), 3u);
    for (const Particle& p : s.particles) {
        EXPECT_NEAR(p.position.length(), 250.0f, 0.01f);
        EXPECT_EQ(p.velocity.z, -1000.0f);
        EXPECT_EQ(p.lifetime, 0.0f);
        EXPECT_TRUE(p.age >= 0.0f && p.age <= 25.0f);
    }
    s.allocateParticles(-4);
    EXPECT_EQ(s.dens, 0);
    EXPECT_TRUE(s.particles.empty());
    s.allocateParticles(2147483647);
    EXPECT_EQ(s.dens, 256) << "a hostile count is cut where the scene stays usable";
    EXPECT_EQ(s.particles.size(), 256u);
}

TEST(ParticleUpdate, StreamParticlesRespawnOnTheFirstUpdateAndKeepThePhaseAtZero) {
    auto owned = system(ParticleMode::Line);
    ParticleSystem& s = *owned;
    s.update(0.02);
    EXPECT_EQ(s.timer, 0.0f);
    for (const Particle& p : s.particles) {
        EXPECT_EQ(p.position.length(), 0.0f);
        EXPECT_EQ(p.age, 0.0f);
        EXPECT_TRUE(p.lifetime >= 1.0f && p.lifetime <= 3.0f);
        float speed = -p.velocity.z;
        EXPECT_TRUE(speed >= 2400.0f && speed <= 19500.0f) << speed;
        EXPECT_TRUE(p.acceleration.x >= 0.57f * speed && p.acceleration.x <= 1.14f * speed + 0.01f);
        EXPECT_TRUE(p.acceleration.y >= 0.0f && p.acceleration.y <= 0.57f * speed + 0.01f);
    }
    Particle before = s.particles[0];
    s.update(0.1);
    const Particle& after = s.particles[0];
    EXPECT_NEAR(after.position.z, before.velocity.z * 0.1f, 0.01f);
    EXPECT_NEAR(after.velocity.x, before.acceleration.x * 0.1f, 0.01f);
    EXPECT_FLOAT_EQ(after.age, 0.1f);
}

TEST(ParticleUpdate, CircBurstsEveryTwoToThreeSecondsOnTheSphereAroundPoint1) {
    auto owned = system(ParticleMode::Circ);
    ParticleSystem& s = *owned;
    s.size = 1000.0f;
    Vector3 last = s.position;
    float elapsed = 0.0f;
    int bursts = 0;
    for (int frame = 0; frame < 600; ++frame) {
        s.update(0.02);
        elapsed += 0.02f;
        if (s.timer != 0.0f) continue;
        ++bursts;
        EXPECT_NEAR((s.position - s.point1).length(), 1000.0f, 0.1f);
        EXPECT_TRUE(s.time >= 2.0f && s.time <= 3.0f);
        if (bursts > 1) {
            EXPECT_TRUE(elapsed >= 2.0f && elapsed <= 3.05f) << elapsed;
        }
        EXPECT_NE(s.position.x, last.x);
        last = s.position;
        elapsed = 0.0f;
        for (const Particle& p : s.particles) {
            // Pulled back towards the burst point's direction from point1.
            EXPECT_LT(dot(p.acceleration, s.position - s.point1), 0.0f);
        }
    }
    EXPECT_GE(bursts, 4);
    EXPECT_LE(bursts, 7);
}

TEST(ParticleUpdate, FlashSweepsFromMinusDensToTwiceDensThenStrikesAlongAChain) {
    auto owned = system(ParticleMode::Flash);
    ParticleSystem& s = *owned;
    std::vector<int> sweeps;
    for (int frame = 0; frame < 400 && sweeps.size() < 2 * kDens + 6; ++frame) {
        int before = s.sweep;
        s.update(0.06);  // longer than any step, so every update steps
        EXPECT_NE(s.sweep, before);
        sweeps.push_back(s.sweep);
    }
    // The first sweep starts at 0; past 2 x dens a strike starts again at -dens.
    EXPECT_EQ(sweeps[0], 1);
    EXPECT_EQ(sweeps[2 * kDens - 1], 2 * kDens);
    EXPECT_EQ(sweeps[2 * kDens], -kDens);
    EXPECT_EQ(sweeps[2 * kDens + 1], -kDens + 1);
    EXPECT_NEAR((s.position - s.point1).length(), 16100.0f, 0.5f);
    EXPECT_NEAR(s.right.length(), 1.0f, 1e-5f);
    Vector3 link = s.particles[0].position;
    for (int i = 0; i < kDens; ++i) {
        Vector3 v = i == 0 ? link : s.particles[i].position - s.particles[i - 1].position;
        EXPECT_NEAR(v.length(), 100.8f * cross(s.right, Vector3(0, 1, 0)).length(), 0.01f);
        EXPECT_NEAR(dot(v, s.right), 0.0f, 0.01f) << "links turn about the strike axis";
    }
}

TEST(ParticleUpdate, FlashStepsOnlyWhenThePhaseRunsOut) {
    auto owned = system(ParticleMode::Flash);
    ParticleSystem& s = *owned;
    s.update(0.001);  // time 0: the first update steps
    EXPECT_EQ(s.sweep, 1);
    EXPECT_TRUE(s.time >= 0.01f && s.time <= 0.05f);
    s.update(0.001);
    EXPECT_EQ(s.sweep, 1);
    EXPECT_FLOAT_EQ(s.timer, 0.001f);
}

TEST(ParticleUpdate, WithoutBehaviourNothingMoves) {
    auto owned = system(ParticleMode::None);
    ParticleSystem& s = *owned;
    Vector3 first = s.particles[0].position;
    s.update(1.0);
    EXPECT_EQ(s.timer, 0.0f);
    EXPECT_EQ(s.particles[0].position.x, first.x);
}

}  // namespace
}  // namespace tarnel
