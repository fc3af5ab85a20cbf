#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/effect_kinds_fixture.h"
#include "put_ball.h"
#include "support/temp_dir.h"
#include "vantle/game/sprite.h"
#include "vantle/utils/config.h"

namespace {

const math::Vector2 kCell(10, 10);

class BonusBalls : public test::EffectKindsTest {
protected:
    BonusBalls() { utils::Config::SetFilename(dir.File("config.cfg")); }
    ~BonusBalls() override { utils::Config::SetFilename(""); }

    core::ptr<cm::Ball> Put(char code, int col, int row) {
        return test::PutBall(board, code, col, row, kCell);
    }

    // Removers and waves running, ghosts on the board and time added.
    std::string Outcome() const {
        int ghosts = 0;
        for (int i = 0; i < 9; ++i) {
            const core::ptr<cm::Ball>& ball = board.balls.Get(i % 3, i / 3);
            ghosts += ball && ball->GetColor() == cm::Ghost::kColor;
        }
        return std::to_string(board.removers.size()) + " removers, " + std::to_string(board.waves.size()) +
               " waves, " + std::to_string(ghosts) + " ghosts, +" + std::to_string(board.time_limit) + " ms";
    }

    // Row by row, "/" between rows.
    std::string Plates() const {
        std::string text;
        for (int y = 0; y < 3; ++y) {
            for (int x = 0; x < 3; ++x) text += std::to_string(board.back_board.Get(x, y).plate);
            if (y < 2) text += "/";
        }
        return text;
    }

    test::TempDir dir;
    cm::Board board{3, 3};
};

TEST_F(BonusBalls, EachKindActsThroughItsBoardActionAndNeverJoinsAGroup) {
    struct Case {
        char code;
        const char* type;
        // What the action left on the board, as Outcome tells it; a click and a removal act alike.
        const char* outcome;
    };
    const Case cases[] = {
        {'1', "default", "0 removers, 0 waves, 0 ghosts, +0 ms"},
        {'a', "badball", "0 removers, 0 waves, 0 ghosts, +0 ms"},
        {'e', "remove_row", "2 removers, 0 waves, 1 ghosts, +0 ms"},
        {'c', "remove_col", "2 removers, 0 waves, 1 ghosts, +0 ms"},
        {'d', "remove_cross", "4 removers, 0 waves, 1 ghosts, +0 ms"},
        {'b', "remove_block", "0 removers, 0 waves, 6 ghosts, +0 ms"},
        {'q', "remove_color", "0 removers, 1 waves, 0 ghosts, +0 ms"},
        {'j', "remove_diag", "2 removers, 0 waves, 1 ghosts, +0 ms"},
        {'i', "remove_diag", "2 removers, 0 waves, 1 ghosts, +0 ms"},
        {'k', "remove_diag_cross", "4 removers, 0 waves, 1 ghosts, +0 ms"},
        {'l', "addtime", "0 removers, 0 waves, 1 ghosts, +10000 ms"},
        {'m', "replater", "0 removers, 0 waves, 0 ghosts, +0 ms"},
        {'n', "makebadballs", "0 removers, 0 waves, 0 ghosts, +0 ms"},
        {'T', "token", "0 removers, 0 waves, 0 ghosts, +0 ms"},
        {'G', "default", "0 removers, 0 waves, 1 ghosts, +0 ms"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("code ") + c.code);
        for (bool clicked : {true, false}) {
            for (int i = 0; i < 9; ++i) Put('2', i % 3, i / 3);
            const core::ptr<cm::Ball> ball = Put(c.code, 2, 1);
            EXPECT_EQ(ball->GetTypeName(), c.type);
            const core::ptr<cm::Ball> alike(new cm::Ball(nullptr, kCell, ball->GetColor()));
            EXPECT_EQ(cm::Ball::Compare(ball, alike), c.code == '1');
            board.removers.clear();
            board.waves.clear();
            board.time_limit = 0;
            clicked ? ball->OnClick(&board) : ball->OnRemove(&board);
            EXPECT_EQ(Outcome(), c.outcome) << (clicked ? "clicked" : "removed");
        }
        Put(c.code, 0, 0)->OnClick(nullptr);
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
    EXPECT_EQ(Plates(), "000/000/000") << "no board yet";
    replater->OnMove(&board);
    struct Step {
        unsigned int t;
        bool paused;
        const char* plates;
    };
    const Step steps[] = {
        {2, false, "100/000/000"},  {101, false, "100/000/000"}, {102, false, "110/110/000"},
        {202, true, "110/110/000"}, {252, false, "110/110/000"}, {302, false, "210/110/000"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE("at " + std::to_string(step.t));
        board.paused = step.paused;
        replater->Update(clock.At(step.t));
        EXPECT_EQ(Plates(), step.plates);
    }
    // Nothing ever rests on an emitter or in a hole, so no plate comes back there.
    board.back_board.Get(1, 0) = cm::BoardCell(1, 0, true, true, math::Position(0, 1));
    board.back_board.Get(0, 1) = cm::BoardCell(0, 1, false, false, math::Position(0, 1));
    replater->Update(clock.At(402));
    EXPECT_EQ(Plates(), "200/020/000");
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
        board.back_board.Get(1, 1).plate = 0;
        maker->Update(clock.At(99));
        EXPECT_EQ(board.back_board.Get(1, 1).plate, 0) << "a full period after it came to rest";
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
            EXPECT_GT(board.back_board.Get(1, 1).plate, 0) << "its own cell's plate comes back";
        }
        ASSERT_EQ(static_cast<bool>(offspring), neighbours == '3' || neighbours == 'q');
        if (!offspring) continue;
        EXPECT_EQ(offspring->GetColor(), cm::BallFactory::B_MAKEBADBALLS);
        EXPECT_NE(offspring->GetSprite(), maker->GetSprite());
        offspring->MoveTo(0, 0);
        board.back_board.Get(0, 0).plate = 0;
        offspring->Update(clock.At(t + 199));
        EXPECT_EQ(board.back_board.Get(0, 0).plate, 0);
        offspring->Update(clock.At(t + 200));
        EXPECT_EQ(board.back_board.Get(0, 0).plate, 1);
    }
}

}  // namespace
