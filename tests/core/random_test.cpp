#include "vantle/core/random.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

const int kDraws = 2000;

TEST(Random, SeedFixesTheSequence) {
    core::Random::Seed(42);
    core::Random first;
    std::vector<int> a;
    for (int i = 0; i < 10; ++i) a.push_back(first.GetInt());
    core::Random::Seed(42);
    std::vector<int> b;
    for (int i = 0; i < 10; ++i) b.push_back(core::Random().GetInt());
    EXPECT_EQ(a, b);
}

TEST(Random, ObjectsMadeTogetherDoNotReplayTheSameNumbers) {
    core::Random::Seed(7);
    std::vector<int> a, b;
    {
        core::Random one;
        for (int i = 0; i < 10; ++i) a.push_back(one.GetInt());
    }
    {
        core::Random two;
        for (int i = 0; i < 10; ++i) b.push_back(two.GetInt());
    }
    EXPECT_NE(a, b);
}

TEST(Random, GetIntCoversTheInclusiveRangeInEitherOrder) {
    core::Random::Seed(1);
    core::Random random;
    EXPECT_EQ(random.GetInt(3, 3), 3);
    std::set<int> seen;
    for (int i = 0; i < kDraws; ++i) {
        int value = random.GetInt(5, 2);
        ASSERT_GE(value, 2);
        ASSERT_LE(value, 5);
        seen.insert(value);
    }
    EXPECT_EQ(seen, (std::set<int>{2, 3, 4, 5}));
    for (int i = 0; i < kDraws; ++i) {
        int value = random.GetInt(-3, -1);
        ASSERT_GE(value, -3);
        ASSERT_LE(value, -1);
    }
}

TEST(Random, GetIntWithTheWidestBoundsStaysInRange) {
    core::Random random;
    for (int i = 0; i < 100; ++i) random.GetInt(-2147483647 - 1, 2147483647);
    for (int i = 0; i < 100; ++i) {
        int value = random.GetInt(-2147483647, 0);
        ASSERT_LE(value, 0);
    }
}

TEST(Random, GetFloatRunsFromTheFirstBoundTowardsTheSecond) {
    core::Random::Seed(3);
    core::Random random;
    EXPECT_EQ(random.GetFloat(1.0f, 1.0f), 1.0f);
    float lowest = 2.0f, highest = 0.0f;
    for (int i = 0; i < kDraws; ++i) {
        float value = random.GetFloat(2.0f, 0.0f);
        ASSERT_GE(value, 0.0f);
        ASSERT_LE(value, 2.0f);
        lowest = std::min(lowest, value);
        highest = std::max(highest, value);
    }
    EXPECT_LT(lowest, 0.1f);
    EXPECT_GT(highest, 1.9f);
}

TEST(Random, SingletonDrawsLikeAnyObject) {
    core::Random::Seed(9);
    int from_singleton = core::Random::instance()->GetInt(0, 1000000);
    core::Random::Seed(9);
    EXPECT_EQ(core::Random().GetInt(0, 1000000), from_singleton);
}

TEST(Random, GetCharGivesEveryByteValueOverTime) {
    core::Random::Seed(5);
    core::Random random;
    std::set<int> seen;
    for (int i = 0; i < 20000; ++i) seen.insert(static_cast<unsigned char>(random.GetChar()));
    EXPECT_GT(seen.size(), 200u);
}

}  // namespace
