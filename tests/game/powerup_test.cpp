#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "powerup_table.h"
#include "support/context_recorder.h"
#include "support/frame_clock.h"
#include "support/temp_dir.h"
#include "vantle/game/powerup.h"

namespace {

using game::Powerup;

class PowerupTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadPowerupTable("data/powerups.xml"); }

    // The clock stands at Abs(0) after Start; every At must then be later than the one before.
    PowerupTest() { clock.Start(); }

    test::FrameClock clock;
};

struct Moment {
    unsigned int time;
    unsigned int level;
    float fill;
    // The option "count" of the level usable then; 0 while nothing is usable.
    unsigned int count;
};

TEST_F(PowerupTest, ChargesOneStepPerOwnedLevelAndStaysFullAtTheLast) {
    Powerup recolor("recolor:2");
    test::ContextRecorder published("recolor_fill");
    recolor.Reset();
    // Steps of 3000 (level 0 owned two below the top), 4000 and 1000 ms.
    const std::vector<Moment> timeline = {
        {1500, 0, 0.5f, 0}, {3000, 1, 0.0f, 3}, {5000, 1, 0.5f, 3},  {7000, 2, 0.0f, 5},
        {7500, 2, 0.5f, 5}, {8000, 2, 1.0f, 8}, {60000, 2, 1.0f, 8},
    };
    for (const Moment& m : timeline) {
        SCOPED_TRACE("at " + std::to_string(m.time) + " ms");
        recolor.Update(clock.At(m.time));
        EXPECT_EQ(recolor.GetLevel(), m.level);
        EXPECT_FLOAT_EQ(recolor.GetFill(), m.fill);
        EXPECT_EQ(recolor.GetOption("count").as_uint32(), m.count);
        EXPECT_EQ(recolor.GetOption("count").get_type() == core::Value::UNSET, m.count == 0);
    }
    // Reset publishes 0, every update its fill, and nothing once fully charged.
    EXPECT_EQ(published.Floats(), (std::vector<float>{0.0f, 0.5f, 0.0f, 0.5f, 0.0f, 0.5f, 1.0f}));
}

TEST_F(PowerupTest, APauseDoesNotCountTowardsTheCharge) {
    Powerup paused("remove_row");
    Powerup never_paused("remove_row");
    paused.Reset(clock.Abs(0));
    never_paused.Reset(clock.Abs(0));
    paused.Update(clock.At(500));
    EXPECT_FLOAT_EQ(paused.GetFill(), 0.25f);
    paused.Pause(clock.At(1000));
    paused.Update(clock.At(2500));
    EXPECT_FLOAT_EQ(paused.GetFill(), 0.25f) << "no progress while paused";
    const unsigned int resumed = clock.At(4000);
    paused.Resume(resumed);
    never_paused.Resume(resumed);
    const unsigned int later = clock.At(4500);
    paused.Update(later);
    EXPECT_FLOAT_EQ(paused.GetFill(), 0.75f) << "3000 ms of pause left out of 4500";
    paused.Update(clock.At(5000));
    EXPECT_FLOAT_EQ(paused.GetFill(), 1.0f);
    never_paused.Update(later);
    EXPECT_FLOAT_EQ(never_paused.GetFill(), 1.0f) << "a resume without a pause changes nothing";
}

TEST_F(PowerupTest, AStepCompletesAtOnceWhenItsTimeIsZeroOrTheClockIsBeforeItsStart) {
    Powerup instant("instant");
    instant.Reset(clock.At(100));
    instant.Update(clock.Abs(100));
    EXPECT_FLOAT_EQ(instant.GetFill(), 1.0f);

    Powerup early("remove_row");
    early.Reset(clock.Abs(5000));
    early.Update(clock.At(4000));
    EXPECT_FLOAT_EQ(early.GetFill(), 1.0f);
    EXPECT_EQ(early.GetOption("halfwidth").as_uint32(), 1u);
}

TEST_F(PowerupTest, UnknownKindsChargeInOneSecondStepsAndKindsWithoutLevelsNever) {
    Powerup unknown("no_such_thing:2");
    Powerup hollow("hollow:3");
    unknown.Reset(clock.Abs(0));
    hollow.Reset(clock.Abs(0));
    const unsigned int second = clock.At(1000);
    unknown.Update(second);
    hollow.Update(second);
    EXPECT_FLOAT_EQ(unknown.GetFill(), 1.0f);
    EXPECT_EQ(unknown.GetOption("count").get_type(), core::Value::UNSET);
    EXPECT_FLOAT_EQ(hollow.GetFill(), 0.0f);
}

TEST_F(PowerupTest, AStepOfManyHoursIsNotFullyChargedBeforeItsEnd) {
    test::TempDir dir;
    dir.Write("long.xml", R"(<powerups><powerup name="long">
        <level><filling_time><level time="4294967295"/></filling_time></level>
    </powerup></powerups>)");
    const test::WorkingDirectory cwd(dir.Path());
    game::PowerupDefinitionTable table;
    table.Load("long.xml");
    Powerup powerup(table.Get("long"));
    powerup.Reset(0);
    powerup.Update(4294967294u);
    EXPECT_LT(powerup.GetFill(), 1.0f);
    powerup.Update(4294967295u);
    EXPECT_FLOAT_EQ(powerup.GetFill(), 1.0f);
}

struct TextCase {
    const char* text;
    const char* name;
    unsigned int max_level;
    unsigned int price;
};

TEST_F(PowerupTest, TheTextFormNamesTheKindAndTheHighestLevelOwned) {
    const std::vector<TextCase> cases = {
        {"recolor:1", "recolor", 1, 20},   {"recolor:9", "recolor", 2, 40},
        {"recolor", "recolor", 0, 10},     {"recolor:x", "recolor", 0, 10},
        {"recolor:2:9", "recolor", 2, 40}, {"remove_row:1", "remove_row", 0, 10},
        {"no_such_thing:2", "", 0, 0},     {"", "", 0, 0},
        {"hollow:1", "hollow", 0, 0},
    };
    for (const TextCase& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        const Powerup powerup(c.text);
        EXPECT_EQ(powerup.GetName(), c.name);
        EXPECT_EQ(powerup.GetMaxLevel(), c.max_level);
        EXPECT_EQ(powerup.GetPrice(), c.price);
        EXPECT_EQ(powerup.ToString(), std::string(c.name) + ":" + std::to_string(c.max_level));
    }
}

}  // namespace
