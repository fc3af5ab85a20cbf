#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "powerup_table.h"
#include "support/context_recorder.h"
#include "support/frame_clock.h"
#include "support/temp_dir.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/game/users.h"

namespace {

using game::CurrentPowerupSet;
using game::Users;

const char kNoOption[] = "<absent>";

// The players live in the one players file of this process; every test starts with none.
class ShopTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<test::TempDir>();
        Users::SetFilename(dir->File("users.dat"));
        test::LoadPowerupTable("data/powerups.xml");
    }
    static void TearDownTestSuite() { dir.reset(); }

    ShopTest() {
        RemoveAllPlayers();
        clock.Start();
    }
    ~ShopTest() override { RemoveAllPlayers(); }

    // Adds and selects a player with those options; kNoOption leaves one out.
    static core::ptr<game::User> Player(const std::string& tokens, const std::string& powerups = kNoOption) {
        core::ptr<game::User> user(new game::User("player"));
        if (tokens != kNoOption) user->Set("tokens", core::Value(tokens));
        if (powerups != kNoOption) user->Set("powerups", core::Value(powerups));
        Users::instance()->Add(user);
        return user;
    }

    static void RemoveAllPlayers() {
        for (const std::string& name : Users::instance()->GetNames()) Users::instance()->Remove(name);
    }

    static std::unique_ptr<test::TempDir> dir;
    test::FrameClock clock;
};

std::unique_ptr<test::TempDir> ShopTest::dir;

struct Trade {
    const char* what;
    const char* tokens;
    const char* owned;
    bool buy;
    const char* name;
    bool done;
    unsigned int tokens_after;
    const char* owned_after;
};

TEST_F(ShopTest, BuyingAndSellingMoveTheNextLevelsPriceBetweenTokensAndTheSet) {
    const std::vector<Trade> trades = {
        {"first level, just enough", "10", "", true, "recolor", true, 0, "recolor:0"},
        {"first level, one short", "9", "", true, "recolor", false, 9, ""},
        {"next level", "25", "recolor:0", true, "recolor", true, 5, "recolor:1"},
        {"next level, one short", "39", "recolor:1", true, "recolor", false, 39, "recolor:1"},
        {"the last level owned", "1000", "recolor:2", true, "recolor", false, 1000, "recolor:2"},
        {"a name not in the table", "1000", "", true, "no_such_thing", false, 1000, ""},
        {"a definition without levels", "1000", "", true, "hollow", false, 1000, ""},
        {"no tokens option", kNoOption, "", true, "instant", false, 0, ""},
        {"tokens that are no number", "many", "", true, "instant", false, 0, ""},
        {"selling the first level drops it", "5", "recolor:0;remove_row:0", false, "recolor", true, 15,
         "remove_row:0"},
        {"selling refunds the max level", "5", "recolor:2", false, "recolor", true, 45, "recolor:1"},
        {"selling what is not held", "5", "recolor:2", false, "remove_row", false, 5, "recolor:2"},
        {"a refund beyond the largest count", "4294967290", "recolor:2", false, "recolor", true, 4294967295u,
         "recolor:1"},
    };
    for (const Trade& t : trades) {
        SCOPED_TRACE(t.what);
        const core::ptr<game::User> player = Player(t.tokens, t.owned);
        CurrentPowerupSet set;
        EXPECT_EQ(t.buy ? set.Buy(t.name) : set.Sell(t.name), t.done);
        EXPECT_EQ(player->Get("tokens").as_uint32(), t.tokens_after);
        EXPECT_EQ(set.Save(), t.owned_after);
        EXPECT_EQ(player->Get("powerups").as_string(), t.owned) << "the set is stored by the caller";
        RemoveAllPlayers();
    }
}

TEST_F(ShopTest, ANewPowerupChargesFromItsPurchaseAndAnUpgradeKeepsTheCharge) {
    Player("100");
    CurrentPowerupSet set;
    test::ContextRecorder published("recolor_fill");
    clock.At(1000);
    ASSERT_TRUE(set.Buy("recolor"));
    EXPECT_EQ(published.Floats(), std::vector<float>{0.0f});
    set.Update(clock.At(3500));
    EXPECT_FLOAT_EQ(set.Get("recolor")->GetFill(), 0.5f);
    ASSERT_TRUE(set.Buy("recolor"));
    EXPECT_FLOAT_EQ(set.Get("recolor")->GetFill(), 0.5f);
    EXPECT_EQ(published.Values().size(), 2u);
}

struct Offer {
    const char* tokens;
    const char* owned;
    std::vector<std::string> names;
};

TEST_F(ShopTest, TheOfferListsWhatBuyWouldNowSucceedWithInNameOrder) {
    const std::vector<Offer> offers = {
        {"10", "", {"instant", "recolor", "remove_row"}},
        {"1", "", {"instant"}},
        {"0", "", {}},
        {"20", "instant:0;recolor:0;remove_row:0", {"recolor"}},
        {"1000", "instant:0;recolor:2;remove_row:0", {}},
    };
    for (const Offer& o : offers) {
        SCOPED_TRACE(std::string(o.tokens) + " tokens, owning \"" + o.owned + "\"");
        Player(o.tokens, o.owned);
        EXPECT_EQ(CurrentPowerupSet().CanBuy(), o.names);
        RemoveAllPlayers();
    }
}

TEST_F(ShopTest, WithoutASelectedPlayerTheSetStaysAsItWasAndTheShopRefuses) {
    CurrentPowerupSet set;
    EXPECT_TRUE(set.IsEmpty());
    const core::ptr<game::User> player = Player("0", "recolor:1");
    set.Reload();
    EXPECT_EQ(set.Save(), "recolor:1");
    player->Set("powerups", core::Value(std::string("remove_row:0")));
    EXPECT_EQ(set.Save(), "recolor:1") << "only a reload follows the option";
    set.Reload();
    EXPECT_EQ(set.Save(), "remove_row:0");

    RemoveAllPlayers();
    set.Reload();
    EXPECT_EQ(set.Save(), "remove_row:0");
    EXPECT_FALSE(set.Sell("remove_row"));
    EXPECT_FALSE(set.Buy("instant"));
    EXPECT_TRUE(set.CanBuy().empty());
    Player("0");
    set.Reload();
    EXPECT_TRUE(set.IsEmpty()) << "a player without the option owns nothing";
}

}  // namespace
