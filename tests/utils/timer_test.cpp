#include "vantle/utils/timer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "support/fake_platform.h"
#include "vantle/utils/fps_manager.h"
#include "vantle/utils/sheduler.h"

namespace {

using Times = std::vector<unsigned int>;

class Clock : public ::testing::Test {
protected:
    void SetUp() override {
        clock = test::FakePlatform::Install();
        ASSERT_NE(clock, nullptr);
        clock->SetTicks(1000);
        clock->ClearSleeps();
    }
    test::FakePlatform* clock = nullptr;
};

// Each step moves the clock by `advance` and then updates the timer.
Times Updates(test::FakePlatform* clock, utils::Timer& timer, const Times& advances) {
    Times seen;
    for (unsigned int advance : advances) {
        clock->Advance(advance);
        timer.Update();
        seen.push_back(timer.GetTime());
    }
    return seen;
}

TEST_F(Clock, TimerExtrapolatesWithinOneTickAndJumpsWhenTheTickMoves) {
    struct Case {
        const char* name;
        Times advances;
        Times times;
    };
    const Case cases[] = {
        // A new tick gives the tick itself, then one learned step (1) per frame on the same tick.
        {"three frames on one tick", {1, 0, 0}, {1001, 1002, 1003}},
        // 10 ms over 3 frames: 3 per frame raises the step to 2.
        {"step grows by one per tick change", {1, 0, 0, 10, 0, 0}, {1001, 1002, 1003, 1011, 1013, 1015}},
        // The extrapolation ran ahead of the tick: hold still rather than go back.
        {"never goes back", {1, 0, 0, 0, 0, 1, 0}, {1001, 1002, 1003, 1004, 1005, 1005, 1005}},
        {"first update on the construction tick", {0, 0}, {1000, 1001}},
        {"steady 16 ms frames", {16, 16, 16, 16}, {1016, 1032, 1048, 1064}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clock->SetTicks(1000);
        utils::Timer timer;
        EXPECT_EQ(timer.GetTime(), 1000u);
        EXPECT_EQ(Updates(clock, timer, c.advances), c.times);
    }
}

TEST_F(Clock, TimerStepShrinksBackButNotBelowOne) {
    utils::Timer timer;
    // Ticks 40 ms apart: the step climbs one unit per tick change, from 1 to 6.
    Updates(clock, timer, {40, 40, 40, 40, 40});
    timer.Update();
    EXPECT_EQ(timer.GetTime(), clock->GetTicks() + 6);
    // One frame per tick, 1 ms apart: the step falls back towards 1.
    for (int i = 0; i < 10; ++i) Updates(clock, timer, {1});
    unsigned int tick = clock->GetTicks();
    EXPECT_EQ(Updates(clock, timer, {1, 0}), (Times{tick + 1, tick + 2}));
}

TEST_F(Clock, TimerKeepsGoingAcrossTheWrapOfTheTickCounter) {
    clock->SetTicks(0xFFFFFFF0u);
    utils::Timer timer;
    Times seen = Updates(clock, timer, {8, 8, 8});
    EXPECT_EQ(seen, (Times{0xFFFFFFF8u, 0u, 8u}));
}

TEST_F(Clock, TimerReadsTheInstalledPlatformsTicks) {
    clock->SetTicks(4242);
    EXPECT_EQ(utils::Timer::GetTicks(), 4242u);
    EXPECT_EQ(utils::Timer::instance()->GetTicks(), 4242u);
}

TEST_F(Clock, ShedulerTriggersAfterItsInterval) {
    utils::Sheduler sheduler(500);
    EXPECT_EQ(sheduler.GetInterval(), 500u);
    EXPECT_FALSE(sheduler.test(1499));
    EXPECT_TRUE(sheduler.test(1500));
    // The period restarted at 1500.
    EXPECT_FALSE(sheduler.test(1999));
    EXPECT_TRUE(sheduler.test(2000));

    sheduler.reset(1000);
    EXPECT_EQ(sheduler.elapsed(1200), 200u);
    EXPECT_EQ(sheduler.left(1200), 300u);
    EXPECT_EQ(sheduler.left(1500), 0u);
    EXPECT_EQ(sheduler.left(1600), 0u);
    EXPECT_FALSE(sheduler.test_once(1499));
    EXPECT_TRUE(sheduler.test_once(1500));
    EXPECT_TRUE(sheduler.test_once(1700));
    EXPECT_EQ(sheduler.elapsed(1700), 700u);
}

TEST_F(Clock, ShedulerTakesZeroAsTheCurrentTick) {
    utils::Sheduler sheduler(100);  // starts at 1000
    clock->SetTicks(1050);
    EXPECT_EQ(sheduler.elapsed(), 50u);
    EXPECT_EQ(sheduler.left(), 50u);
    EXPECT_FALSE(sheduler.test());
    clock->SetTicks(1100);
    EXPECT_TRUE(sheduler.test_once());
    EXPECT_TRUE(sheduler.test());
    EXPECT_EQ(sheduler.elapsed(), 0u);
    clock->SetTicks(1130);
    sheduler.reset();
    EXPECT_EQ(sheduler.elapsed(1140), 10u);

    utils::Sheduler idle;
    EXPECT_EQ(idle.GetInterval(), 0u);
    EXPECT_TRUE(idle.test_once());
}

TEST_F(Clock, ShedulerDifferencesWrap) {
    utils::Sheduler sheduler(100);
    sheduler.reset(0xFFFFFFC0u);
    EXPECT_EQ(sheduler.elapsed(0x20u), 0x60u);
    EXPECT_TRUE(sheduler.test(0x30u));
}

// Each frame: Update, then `work` milliseconds pass.
Times Frames(test::FakePlatform* clock, utils::FPSManager& limiter, int count, unsigned int work) {
    for (int i = 0; i < count; ++i) {
        limiter.Update();
        clock->Advance(work);
    }
    return clock->Sleeps();
}

// Each frame: `step` milliseconds pass, then Update.
void AdvanceAndUpdate(test::FakePlatform* clock, utils::FPSManager& limiter, int count, unsigned int step) {
    for (int i = 0; i < count; ++i) {
        clock->Advance(step);
        limiter.Update();
    }
}

struct LimitedRun {
    const char* name;
    unsigned int limit;  // frames per second
    Times work;          // milliseconds per frame, repeated
    double rate;         // frames per second expected
    unsigned int shortest;
};

// Frames as the game runs them: Update, then the frame's work. The rate and the shortest gap between the
// moments the frames were let go.
TEST_F(Clock, LimiterHoldsTheRateWithinItsLimitWhateverTheWork) {
    const std::vector<LimitedRun> cases = {
        {"light work", 100, {5}, 100.0, 10},
        {"uneven work", 100, {2, 8, 1, 6}, 100.0, 10},
        {"a frame time of 16.67 ms", 60, {5}, 60.0, 16},
        {"a frame time under 7 ms", 144, {2}, 144.0, 6},
        {"work slower than the limit", 100, {12}, 1000.0 / 12, 12},
        {"one slow frame among fast ones", 100, {3, 3, 3, 25}, 4000.0 / 55, 10},
    };
    const int kFrames = 1200;
    for (const LimitedRun& c : cases) {
        SCOPED_TRACE(c.name);
        utils::FPSManager limiter;
        limiter.SetFrameRateLimit(c.limit);
        unsigned int first = 0, previous = 0, shortest = ~0u;
        for (int i = 0; i <= kFrames; ++i) {
            limiter.Update();
            const unsigned int released = clock->GetTicks();
            if (i == 0) first = released;
            if (i > 0) shortest = std::min(shortest, released - previous);
            previous = released;
            clock->Advance(c.work[i % c.work.size()]);
        }
        const double rate = kFrames * 1000.0 / (previous - first);
        EXPECT_LE(rate, c.limit);
        EXPECT_NEAR(rate, c.rate, c.rate * 0.005);
        EXPECT_EQ(shortest, c.shortest) << "no burst after a late frame";
    }
}

TEST_F(Clock, LimiterWithoutMinimumNeverSleeps) {
    utils::FPSManager limiter;
    EXPECT_TRUE(Frames(clock, limiter, 10, 1).empty());
    limiter.SetFrameRateLimit(0);
    EXPECT_EQ(limiter.GetMinFrameTime(), 0u);
    EXPECT_TRUE(Frames(clock, limiter, 10, 1).empty());
}

TEST_F(Clock, LimiterFirstUpdateDoesNotSleep) {
    clock->SetTicks(5);
    utils::FPSManager limiter;
    limiter.SetMinFrameTime(50);
    limiter.Update();
    EXPECT_TRUE(clock->Sleeps().empty());
    clock->Advance(10);
    limiter.Update();
    EXPECT_EQ(clock->Sleeps(), (Times{40}));
}

TEST_F(Clock, FrameRateLimitBecomesTheMinimumFrameTime) {
    utils::FPSManager limiter;
    const unsigned int limits[][2] = {{60, 16}, {30, 33}, {1000, 1}, {2000, 0}, {0, 0}, {1, 1000}};
    for (const auto& limit : limits) {
        limiter.SetFrameRateLimit(limit[0]);
        EXPECT_EQ(limiter.GetMinFrameTime(), limit[1]) << limit[0] << " fps";
    }
}

TEST_F(Clock, CurrentFpsChangesOnlyEveryHundredFrames) {
    utils::FPSManager limiter;
    AdvanceAndUpdate(clock, limiter, 99, 10);
    EXPECT_EQ(limiter.GetCurrentFPS(), 0.0f);
    AdvanceAndUpdate(clock, limiter, 1, 10);
    EXPECT_FLOAT_EQ(limiter.GetCurrentFPS(), 100.0f);
    AdvanceAndUpdate(clock, limiter, 99, 20);
    EXPECT_FLOAT_EQ(limiter.GetCurrentFPS(), 100.0f);
    AdvanceAndUpdate(clock, limiter, 1, 20);
    EXPECT_FLOAT_EQ(limiter.GetCurrentFPS(), 50.0f);
}

TEST_F(Clock, AverageFpsCountsFromTheFirstUpdateOrTheLastReset) {
    utils::FPSManager limiter;
    limiter.Update();
    EXPECT_EQ(limiter.GetAverageFPS(), 0.0f);
    AdvanceAndUpdate(clock, limiter, 4, 25);
    EXPECT_FLOAT_EQ(limiter.GetAverageFPS(), 50.0f);  // 5 frames over 100 ms
    limiter.ResetAverageFPS();
    AdvanceAndUpdate(clock, limiter, 1, 100);
    EXPECT_FLOAT_EQ(limiter.GetAverageFPS(), 10.0f);  // 1 frame over 100 ms
}

}  // namespace
