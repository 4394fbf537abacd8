#include "platform/clock.h"
#include "platform/random.h"

#include <gtest/gtest.h>

#include <vector>

TEST(Random, DrawsLieInTheUnitIntervalAndSpreadOverIt) {
    platform::randomize(1.0);
    int low = 0, high = 0;
    for (int i = 0; i < 10000; ++i) {
        const float x = platform::rnd();
        ASSERT_GE(x, 0.0f);
        ASSERT_LT(x, 1.0f);
        if (x < 0.1f) ++low;
        if (x >= 0.9f) ++high;
    }
    EXPECT_GT(low, 800);
    EXPECT_GT(high, 800);
}

TEST(Random, AnExplicitSeedRepeatsTheDraws) {
    auto draws = [](double seed) {
        platform::randomize(seed);
        std::vector<float> v;
        for (int i = 0; i < 5; ++i) v.push_back(platform::rnd());
        return v;
    };
    EXPECT_EQ(draws(36000.25), draws(36000.25));
    EXPECT_NE(draws(36000.25), draws(36000.5));
}

TEST(Random, RandomizeSeedsFromTheTimeOfDay) {
    platform::setClock(std::make_unique<platform::ManualClock>(45000.0));
    platform::randomize();
    const float first = platform::rnd();
    platform::randomize(45000.0);
    EXPECT_EQ(platform::rnd(), first);
    platform::setClock(platform::makeSystemClock());
}
