#include "camera/random.h"

#include <gtest/gtest.h>

// The classic sequence for seed 1 is what makes flights repeatable across platforms.
TEST(Random, SeedOneGivesTheClassicSequence) {
    tarnel::seedRandom(1);
    EXPECT_EQ(tarnel::randomInt(), 41);
    EXPECT_EQ(tarnel::randomInt(), 18467);
    EXPECT_EQ(tarnel::randomInt(), 6334);
}

TEST(Random, UnitNumbersStayWithinZeroAndOne) {
    tarnel::seedRandom(12345);
    for (int i = 0; i < 100000; ++i) {
        float value = tarnel::random01();
        ASSERT_GE(value, 0.0f);
        ASSERT_LE(value, 1.0f);
    }
}
