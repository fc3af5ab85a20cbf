#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Seaquell/b_makebedballs.h"
#include "Seaquell/b_remove_color.h"
#include "Seaquell/b_replater.h"
#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "Seaquell/ghost.h"
#include "board_calls.h"
#include "effects/effect_kinds_fixture.h"
#include "support/temp_dir.h"
#include "vantle/game/sprite.h"
#include "vantle/game/users.h"
#include "vantle/utils/config.h"

namespace {

const math::Vector2 kCell(10, 10);

class BonusBalls : public test::EffectKindsTest {
protected:
    BonusBalls() {
        utils::Config::SetFilename(dir.File("config.cfg"));
        game::Users::SetFilename(dir.File("users.dat"));
    }
    ~BonusBalls() override { utils::Config::SetFilename(""); }

    core::ptr<cm::Ball> Make(char code, int col, int row) {
        const core::ptr<cm::Ball> ball = board.factory.CreateBall(code);
        ball->MoveTo(col, row);
        board.balls.Set(col, row, ball);
        return ball;
    }

    std::vector<std::string> Calls() const { return test::CallsOn(board); }

    test::TempDir dir;
    test::WorkingDirectory cwd{dir.Path()};
    cm::Board board{3, 3};
};

TEST_F(BonusBalls, EachKindActsThroughItsBoardActionAndNeverJoinsAGroup) {
    struct Case {
        char code;
        const char* type;
        const char* clicked;
        const char* removed;
    };
    const Case cases[] = {
        {'1', "default", "", ""},
        {'a', "badball", "", ""},
        {'e', "remove_row", "RemoveRow 2 1 0", "RemoveRow 2 1 0"},
        {'c', "remove_col", "RemoveColumn 2 1 0", "RemoveColumn 2 1 0"},
        {'d', "remove_cross", "RemoveCross 2 1", "RemoveCross 2 1"},
        {'b', "remove_block", "RemoveBlock 2 1 1 direct", "RemoveBlock 2 1 1 chained"},
        {'q', "remove_color", "RemoveColor 2 1", "RemoveColor 2 1"},
        {'j', "remove_diag", "RemoveDiagonalLeft 2 1 0", "RemoveDiagonalLeft 2 1 0"},
        {'i', "remove_diag", "RemoveDiagonalRight 2 1 0", "RemoveDiagonalRight 2 1 0"},
        {'k', "remove_diag_cross", "RemoveDiagonalCross 2 1", "RemoveDiagonalCross 2 1"},
        {'l', "addtime", "AddTime 2 1", "AddTime 2 1"},
        {'m', "replater", "", ""},
        {'n', "makebadballs", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("code ") + c.code);
        const core::ptr<cm::Ball> ball = Make(c.code, 2, 1);
        EXPECT_EQ(ball->GetTypeName(), c.type);
        const core::ptr<cm::Ball> same_colour(new cm::Ball(nullptr, kCell, ball->GetColor()));
        EXPECT_EQ(cm::Ball::Compare(ball, same_colour), c.code == '1');
        for (bool removed : {false, true}) {
            test::BoardCalls().clear();
            if (removed) {
                ball->OnRemove(&board);
            } else {
                ball->OnClick(&board);
            }
            const std::string expected = removed ? c.removed : c.clicked;
            EXPECT_EQ(Calls(),
                      expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected});
        }
        ball->OnClick(nullptr);
    }
    test::BoardCalls().clear();
    for (const core::ptr<cm::Ball>& ball : {core::ptr<cm::Ball>(new cm::Token(nullptr, kCell, 5)),
                                            core::ptr<cm::Ball>(new cm::Ghost(0, 100, kCell))}) {
        ball->OnClick(&board);
        ball->OnRemove(&board);
        EXPECT_FALSE(cm::Ball::Compare(ball, ball));
    }
    EXPECT_TRUE(Calls().empty());
}

TEST_F(BonusBalls, AColourRemoverShowsItsColourInItsAnimations) {
    TiXmlElement* element = Parse(
        "<sprite><animation name='default'/><animation name='default_5'/><animation "
        "name='over_5'/></sprite>");
    cm::RemoveColor ball(core::ptr<game::Sprite>(new game::Sprite(element)), kCell, 5);
    const auto playing = [&ball] { return ball.GetSprite()->GetCurrentAnimation()->GetName(); };
    EXPECT_EQ(playing(), "default_5");
    ball.Over(true);
    EXPECT_EQ(playing(), "over_5");
    ball.Over(false);
    EXPECT_EQ(playing(), "default_5");
}

TEST_F(BonusBalls, AGhostLivesUpToItsLifetimeAcrossTheClocksWrap) {
    struct Case {
        unsigned int start, lifetime, now;
        bool alive;
    };
    const Case cases[] = {
        {1000, 300, 1000, true},       {1000, 300, 1300, true},        {1000, 300, 1301, false},
        {4294967000u, 500, 204, true}, {4294967000u, 500, 205, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " + " + std::to_string(c.lifetime) + " at " +
                     std::to_string(c.now));
        cm::Ghost ghost(c.start, c.lifetime, kCell);
        EXPECT_EQ(ghost.GetColor(), cm::Ghost::kColor);
        EXPECT_EQ(ghost.IsAlive(c.now), c.alive);
    }
}

TEST_F(BonusBalls, ActionPeriodsComeFromTheSettingsWith5000ForNone) {
    struct Case {
        const char* value;
        unsigned int period;
    };
    const Case cases[] = {{"", 5000}, {"0", 5000}, {"250", 250}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("setting \"") + c.value + "\"");
        for (const char* key : {"replater_action_period", "makebadball_action_period"}) {
            utils::Config::instance()->Set(key, core::Value(std::string(c.value)));
        }
        EXPECT_EQ(cm::ReplaterBall(nullptr, kCell, 21).GetPeriod(), c.period);
        EXPECT_EQ(cm::MakeBadBall(nullptr, kCell, 22).GetPeriod(), c.period);
    }
}

TEST_F(BonusBalls, AReplaterRestoresItsCellThenItsNeighboursOncePerPeriodWhileThePlayGoesOn) {
    utils::Config::instance()->Set("replater_action_period", core::Value(100u));
    const core::ptr<cm::Ball> replater = Make('m', 0, 0);
    replater->Update(clock.At(1));
    EXPECT_TRUE(Calls().empty()) << "no board yet";
    replater->OnMove(&board);
    struct Step {
        unsigned int t;
        bool paused;
        std::vector<std::string> calls;
    };
    const Step steps[] = {
        {2, false, {"RestorePlate 0 0"}},
        {101, false, {}},
        {102, false, {"RestorePlate 0 1", "RestorePlate 1 0", "RestorePlate 1 1"}},
        {202, true, {}},
        {252, false, {}},
        {302, false, {"RestorePlate 0 0"}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE("at " + std::to_string(step.t));
        test::BoardCalls().clear();
        board.paused = step.paused;
        replater->Update(clock.At(step.t));
        EXPECT_EQ(Calls(), step.calls);
    }
}

TEST_F(BonusBalls, ABadBallMakerSpreadsOnlyOntoColourBallsAndItsOffspringWaitsTwoPeriods) {
    utils::Config::instance()->Set("makebadball_action_period", core::Value(100u));
    board.factory.SetProb(
        cm::BallFactory::B_MAKEBADBALLS,
        core::ptr<game::Sprite>(new game::Sprite(Parse("<sprite><animation name='default'/></sprite>"))), 0,
        0);
    struct Case {
        const char* name;
        char neighbours;
        bool spreads;
    };
    const Case cases[] = {
        {"colour balls", '3', true}, {"colour removers", 'q', true}, {"bonus balls", 'e', false},
        {"empty cells", '0', false}, {"tokens", 'T', false},         {"ghosts", 'G', false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 9; ++i) {
            core::ptr<cm::Ball> ball;
            if (c.neighbours == 'T') ball = core::ptr<cm::Ball>(new cm::Token(nullptr, kCell, 1));
            if (c.neighbours == 'G') ball = core::ptr<cm::Ball>(new cm::Ghost(0, 1, kCell));
            board.balls.Set(i % 3, i / 3, ball);
            if (!ball && c.neighbours != '0') Make(c.neighbours, i % 3, i / 3);
        }
        const core::ptr<cm::Ball> maker = Make('n', 1, 1);
        clock.Start();
        maker->OnMove(&board);
        test::BoardCalls().clear();
        maker->Update(clock.At(99));
        EXPECT_TRUE(Calls().empty()) << "a full period after it stopped";
        // A draw may fall on the maker's own cell; a few actions make a spread certain.
        core::ptr<cm::Ball> offspring;
        unsigned int t = 0;
        for (int action = 0; action < 20 && !offspring; ++action) {
            t += 100;
            test::BoardCalls().clear();
            maker->Update(clock.At(t));
            ASSERT_FALSE(Calls().empty());
            EXPECT_EQ(Calls().front(), "RestorePlate 1 1");
            if (Calls().size() > 1) offspring = test::BoardCalls().back().ball;
        }
        EXPECT_EQ(static_cast<bool>(offspring), c.spreads);
        if (!offspring) continue;
        EXPECT_EQ(offspring->GetColor(), cm::BallFactory::B_MAKEBADBALLS);
        EXPECT_NE(offspring->GetSprite(), maker->GetSprite());
        test::BoardCalls().clear();
        offspring->Update(clock.At(t + 199));
        EXPECT_TRUE(Calls().empty());
        offspring->Update(clock.At(t + 200));
        EXPECT_FALSE(Calls().empty()) << "its first action, two periods after it appeared";
    }
}

}  // namespace
