#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "powerup_table.h"
#include "support/capture_log.h"
#include "support/context_recorder.h"
#include "support/frame_clock.h"
#include "vantle/game/powerup_set.h"

namespace {

using game::PowerupSet;

class PowerupSetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::LoadPowerupTable("data/powerups.xml"); }

    // The clock stands at Abs(0) after Start; every At must then be later than the one before.
    PowerupSetTest() { clock.Start(); }

    test::FrameClock clock;
};

struct SaveCase {
    const char* text;
    const char* saved;
};

TEST_F(PowerupSetTest, TheTextFormListsPowerupsInNameOrderSkippingEmptyPieces) {
    const std::vector<SaveCase> cases = {
        {"", ""},
        {";;", ""},
        {"recolor:1", "recolor:1"},
        {"recolor:1;;remove_row:2", "recolor:1;remove_row:0"},
        {"remove_row:0;recolor:9", "recolor:2;remove_row:0"},
        {"recolor:1;recolor:2", "recolor:2"},
        {"unknown:1;other:3", ":0"},
    };
    for (const SaveCase& c : cases) {
        SCOPED_TRACE(std::string("\"") + c.text + "\"");
        EXPECT_EQ(PowerupSet(c.text).Save(), c.saved);
    }
}

TEST_F(PowerupSetTest, MergingKeepsTheChargeOfHeldPowerupsAndDropsThoseNotNamed) {
    test::CaptureLog log;
    PowerupSet set("recolor:1;;remove_row:2");
    EXPECT_TRUE(log.Contains("Powerup loaded: recolor"));
    EXPECT_TRUE(log.Contains("Powerup loaded: remove_row"));
    const core::ptr<game::Powerup> recolor = set.Get("recolor");
    ASSERT_TRUE(recolor);
    set.Update(clock.At(1500));
    EXPECT_FLOAT_EQ(set.Get("remove_row")->GetFill(), 0.75f) << "new power-ups charge from their arrival";
    const float charged = recolor->GetFill();

    log.Clear();
    set.Load("recolor:2");
    EXPECT_EQ(set.Get("recolor"), recolor);
    EXPECT_EQ(recolor->GetMaxLevel(), 2u);
    EXPECT_FLOAT_EQ(recolor->GetFill(), charged);
    EXPECT_FALSE(set.Get("remove_row"));
    EXPECT_TRUE(log.Lines().empty()) << "only new power-ups are logged";
    EXPECT_EQ(set.Save(), "recolor:2");
}

TEST_F(PowerupSetTest, SelectionTakesAnyNameAndOnlyAWholeResetClearsIt) {
    PowerupSet set("recolor:0;remove_row:0");
    EXPECT_EQ(set.GetSelectedName(), "");
    set.Select("not_held");
    EXPECT_EQ(set.GetSelectedName(), "not_held");
    set.Select("recolor");
    set.Reset("recolor", clock.At(10));
    EXPECT_EQ(set.GetSelectedName(), "recolor");
    set.Reset("not_held", clock.At(20));
    set.Reset(clock.At(30));
    EXPECT_EQ(set.GetSelectedName(), "");
    set.Select("remove_row");
    set.Select("");
    EXPECT_EQ(set.GetSelectedName(), "");
}

// Stands for a widget whose handler reloads the set when a charge changes.
class EmptyingObserver : public test::ContextRecorder {
public:
    explicit EmptyingObserver(PowerupSet& set) : test::ContextRecorder("recolor_fill"), _set(set) {}
    void OnUpdate() override {
        test::ContextRecorder::OnUpdate();
        _set.Load("");
    }

private:
    PowerupSet& _set;
};

TEST_F(PowerupSetTest, AnObserverMayEmptyTheSetWhileItIsUpdated) {
    PowerupSet set("recolor:0;remove_row:0");
    set.Reset(clock.At(10));
    EmptyingObserver emptying(set);
    set.Update(clock.At(20));
    EXPECT_EQ(set.Save(), "");
    EXPECT_EQ(emptying.Values().size(), 1u);
}

}  // namespace
