#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../game/powerup_table.h"
#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/game/users.h"
#include "vantle/script/engine.h"
#include "vantle/script/ruby/rb_powerups.h"

namespace {

using game::Users;

// The script's answer in Ruby's own notation, so that nil, false, 0 and "" stay apart.
std::string Answer(const std::string& code) {
    return script::Engine::instance()->Eval("(" + code + ").inspect")->to_string();
}

struct Call {
    const char* code;
    const char* answer;
};

void ExpectAnswers(const std::vector<Call>& calls) {
    for (const Call& call : calls) {
        SCOPED_TRACE(call.code);
        test::CaptureLog log;
        EXPECT_EQ(Answer(call.code), call.answer);
        EXPECT_TRUE(log.Lines().empty()) << log.Lines()[0];
    }
}

// The players live in the one players file of this process; every test starts with none.
class RubyPowerupsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<test::TempDir>();
        Users::SetFilename(dir->File("users.dat"));
        test::LoadPowerupTable("data/powerups.xml");
        script::InitRubyPowerupDefinition();
        script::InitRubyPowerupSet();
    }
    static void TearDownTestSuite() { dir.reset(); }

    RubyPowerupsTest() { SelectNobody(); }
    ~RubyPowerupsTest() override { SelectNobody(); }

    static core::ptr<game::User> Player(const std::string& tokens, const std::string& powerups) {
        core::ptr<game::User> user(new game::User("player"));
        user->Set("tokens", core::Value(tokens));
        user->Set("powerups", core::Value(powerups));
        Users::instance()->Add(user);
        game::CurrentPowerupSet::instance()->Reload();
        return user;
    }

    // Removes every player and empties the current set.
    static void SelectNobody() {
        for (const std::string& name : Users::instance()->GetNames()) Users::instance()->Remove(name);
        game::CurrentPowerupSet::instance()->Load("");
        game::CurrentPowerupSet::instance()->Select("");
    }

    static std::unique_ptr<test::TempDir> dir;
};

std::unique_ptr<test::TempDir> RubyPowerupsTest::dir;

TEST_F(RubyPowerupsTest, DefinitionsAnswerFromThePowerupTable) {
    ExpectAnswers({
        {"PowerupDefinition.names", R"(["hollow", "instant", "recolor", "remove_row"])"},
        {"PowerupDefinition.get('recolor').name", R"("recolor")"},
        {"PowerupDefinition.get('recolor').name.encoding", "#<Encoding:UTF-8>"},
        {"PowerupDefinition.get('recolor').level_count", "3"},
        {"PowerupDefinition.get('hollow').level_count", "0"},
        {"(0..3).map { |l| PowerupDefinition.get('recolor').level_price(l) }", "[10, 20, 40, 0]"},
        {"PowerupDefinition.get('recolor').level_price(2**70)", "0"},
        {"PowerupDefinition.get('no_such_thing')", "nil"},
        {"PowerupDefinition.get(\"recolor\\0\")", "nil"},
        {"PowerupDefinition.load_table('data/other.xml')", "nil"},
    });
}

TEST_F(RubyPowerupsTest, TheSetAnswersNilAndFalseWhenNoPlayerIsSelected) {
    ExpectAnswers({
        {"PowerupSet.include?('recolor')", "false"},
        {"PowerupSet.level('recolor')", "nil"},
        {"PowerupSet.filling('recolor')", "nil"},
        {"PowerupSet.empty?", "true"},
        {"PowerupSet.buy('recolor')", "false"},
        {"PowerupSet.sell('recolor')", "false"},
        {"PowerupSet.can_buy", "[]"},
        {"PowerupSet.reload!", "true"},
        {"PowerupSet.select('recolor')", "nil"},
        {"PowerupSet.dump", R"("")"},
    });
    EXPECT_EQ(game::CurrentPowerupSet::instance()->GetSelectedName(), "recolor");
}

TEST_F(RubyPowerupsTest, TheShopWorksForTheSelectedPlayer) {
    const core::ptr<game::User> player = Player("30", "remove_row:0");
    ExpectAnswers({
        {"PowerupSet.can_buy", R"(["instant", "recolor"])"},
        {"PowerupSet.buy('recolor')", "true"},
        {"PowerupSet.buy('recolor')", "true"},
        {"PowerupSet.buy('recolor')", "false"},
        {"PowerupSet.dump", R"("recolor:1;remove_row:0")"},
        {"PowerupSet.include?('recolor')", "true"},
        {"PowerupSet.max_level('recolor')", "1"},
        {"PowerupSet.level('recolor')", "0"},
        {"PowerupSet.filling('recolor')", "0.0"},
        {"PowerupSet.empty?", "false"},
        {"PowerupSet.sell('remove_row')", "true"},
        {"PowerupSet.dump", R"("recolor:1")"},
    });
    EXPECT_EQ(player->Get("tokens").as_uint32(), 10u);
    player->Set("powerups", core::Value(std::string("instant:0")));
    EXPECT_EQ(Answer("PowerupSet.reload!"), "true");
    EXPECT_EQ(Answer("PowerupSet.dump"), R"("instant:0")");
}

struct Misuse {
    const char* code;
    const char* message;
};

TEST_F(RubyPowerupsTest, ArgumentsOfTheWrongTypeOrCountRaiseInTheScriptOnly) {
    Player("100", "recolor:0");
    const std::vector<Misuse> misuses = {
        {"PowerupSet.buy(5)", "EngineRuby: wrong argument type Integer (expected String)"},
        {"PowerupSet.include?(nil)", "EngineRuby: wrong argument type nil (expected String)"},
        {"PowerupSet.level(Object.new)", "EngineRuby: wrong argument type Object (expected String)"},
        {"PowerupSet.buy", "EngineRuby: wrong number of arguments (given 0, expected 1)"},
        {"PowerupSet.sell('recolor', 'recolor')",
         "EngineRuby: wrong number of arguments (given 2, expected 1)"},
        {"PowerupDefinition.get(nil)", "EngineRuby: wrong argument type nil (expected String)"},
        {"PowerupDefinition.get('recolor').level_price('1')",
         "EngineRuby: wrong argument type String (expected Integer)"},
        {"PowerupDefinition.get('recolor').level_price(1.0)",
         "EngineRuby: wrong argument type Float (expected Integer)"},
        {"PowerupDefinition.new", "EngineRuby: allocator undefined for PowerupDefinition"},
        {"PowerupDefinition.get('recolor').dup", "EngineRuby: allocator undefined for PowerupDefinition"},
    };
    for (const Misuse& misuse : misuses) {
        SCOPED_TRACE(misuse.code);
        test::CaptureLog log;
        EXPECT_EQ(script::Engine::instance()->Eval(misuse.code)->to_string(), "");
        ASSERT_EQ(log.Lines().size(), 1u);
        EXPECT_EQ(log.Lines()[0].rfind(misuse.message, 0), 0u) << log.Lines()[0];
        EXPECT_EQ(Answer("PowerupSet.dump"), R"("recolor:0")") << "nothing changed, the next call works";
    }
}

TEST_F(RubyPowerupsTest, CollectedDefinitionObjectsLeaveTheTableWhole) {
    ExpectAnswers({
        {"1000.times { PowerupDefinition.get('recolor') }; GC.start; "
         "PowerupDefinition.get('recolor').level_count",
         "3"},
    });
    EXPECT_EQ(game::PowerupDefinitionTable::instance()->Get("recolor")->GetLevelCount(), 3u);
}

}  // namespace
