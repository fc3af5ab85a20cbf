#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "Seaquell/ghost.h"
#include "board_calls.h"
#include "effects/effect_kinds_fixture.h"
#include "support/temp_dir.h"
#include "vantle/game/sprite.h"
#include "vantle/utils/config.h"

namespace {

const math::Vector2 kCell(10, 10);

class BonusBalls : public test::EffectKindsTest {
protected:
    BonusBalls() { utils::Config::SetFilename(dir.File("config.cfg")); }
    ~BonusBalls() override { utils::Config::SetFilename(""); }

    // A ball of a map code in the cell; "T" is a token, "G" a ghost, "0" leaves the cell empty.
    core::ptr<cm::Ball> Put(char code, int col, int row) {
        core::ptr<cm::Ball> ball = code == 'T'   ? core::ptr<cm::Ball>(new cm::Token(nullptr, kCell, 1))
                                   : code == 'G' ? core::ptr<cm::Ball>(new cm::Ghost(0, 1, kCell))
                                                 : board.factory.CreateBall(code);
        if (ball) ball->MoveTo(col, row);
        board.balls.Set(col, row, ball);
        return ball;
    }

    std::vector<std::string> TakeCalls() {
        std::vector<std::string> calls = test::CallsOn(board);
        test::BoardCalls().clear();
        return calls;
    }

    test::TempDir dir;
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
        {'T', "token", "", ""},
        {'G', "default", "", ""},
    };
    const auto list = [](const std::string& call) {
        return call.empty() ? std::vector<std::string>{} : std::vector<std::string>{call};
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("code ") + c.code);
        const core::ptr<cm::Ball> ball = Put(c.code, 2, 1);
        EXPECT_EQ(ball->GetTypeName(), c.type);
        const core::ptr<cm::Ball> alike(new cm::Ball(nullptr, kCell, ball->GetColor()));
        EXPECT_EQ(cm::Ball::Compare(ball, alike), c.code == '1');
        TakeCalls();
        ball->OnClick(&board);
        EXPECT_EQ(TakeCalls(), list(c.clicked));
        ball->OnRemove(&board);
        EXPECT_EQ(TakeCalls(), list(c.removed));
        ball->OnClick(nullptr);
    }
}

TEST_F(BonusBalls, AGhostLivesUpToItsLifetimeAcrossTheClocksWrap) {
    struct Case {
        unsigned int start, lifetime, now;
        bool alive;
    };
    const Case cases[] = {{1000, 300, 1000, true},
                          {1000, 300, 1300, true},
                          {1000, 300, 1301, false},
                          {4294967000u, 500, 204, true},
                          {4294967000u, 500, 205, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.start) + " + " + std::to_string(c.lifetime) + " at " +
                     std::to_string(c.now));
        EXPECT_EQ(cm::Ghost(c.start, c.lifetime, kCell).IsAlive(c.now), c.alive);
    }
}

TEST_F(BonusBalls, AReplaterRestoresItsCellThenItsNeighboursOncePerPeriodWhileThePlayGoesOn) {
    utils::Config::instance()->Set("replater_action_period", core::Value(100u));
    const core::ptr<cm::Ball> replater = Put('m', 0, 0);
    replater->Update(clock.At(1));
    EXPECT_TRUE(TakeCalls().empty()) << "no board yet";
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
        board.paused = step.paused;
        replater->Update(clock.At(step.t));
        EXPECT_EQ(TakeCalls(), step.calls);
    }
}

TEST_F(BonusBalls, ABadBallMakerTakesOverOnlyColourBallsAndItsOffspringWaitsTwoPeriods) {
    utils::Config::instance()->Set("makebadball_action_period", core::Value(100u));
    board.factory.SetProb(cm::BallFactory::B_MAKEBADBALLS,
                          core::ptr<game::Sprite>(new game::Sprite(Parse("<sprite/>"))), 0, 0);
    for (char neighbours : {'3', 'q', 'e', 'T', 'G', '0'}) {
        SCOPED_TRACE(std::string("neighbours ") + neighbours);
        for (int i = 0; i < 9; ++i) Put(neighbours, i % 3, i / 3);
        const core::ptr<cm::Ball> maker = Put('n', 1, 1);
        clock.Start();
        maker->OnMove(&board);
        maker->Update(clock.At(99));
        EXPECT_TRUE(TakeCalls().empty()) << "a full period after it came to rest";
        // A draw may fall on the maker's own cell; a few actions make a take-over certain.
        core::ptr<cm::Ball> offspring;
        unsigned int t = 0;
        for (int action = 0; action < 20 && !offspring; ++action) {
            maker->Update(clock.At(t += 100));
            for (int i = 0; i < 9; ++i) {
                const core::ptr<cm::Ball>& ball = board.balls.Get(i % 3, i / 3);
                if (ball && ball != maker && ball->GetColor() == cm::BallFactory::B_MAKEBADBALLS)
                    offspring = ball;
            }
            EXPECT_EQ(TakeCalls().at(0), "RestorePlate 1 1");
        }
        ASSERT_EQ(static_cast<bool>(offspring), neighbours == '3' || neighbours == 'q');
        if (!offspring) continue;
        EXPECT_EQ(offspring->GetColor(), cm::BallFactory::B_MAKEBADBALLS);
        EXPECT_NE(offspring->GetSprite(), maker->GetSprite());
        offspring->Update(clock.At(t + 199));
        EXPECT_TRUE(TakeCalls().empty());
        offspring->Update(clock.At(t + 200));
        EXPECT_FALSE(TakeCalls().empty());
    }
}

}  // namespace
