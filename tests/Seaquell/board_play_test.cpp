#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "Seaquell/ghost.h"
#include "effects/effect_kinds_fixture.h"
#include "game/powerup_table.h"
#include "support/temp_dir.h"
#include "vantle/core/context.h"
#include "vantle/core/strutils.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/game/users.h"
#include "vantle/utils/config.h"
#include "vantle/utils/timer.h"

namespace {

const float kCell = 10;
const unsigned int kFrame = 51;

// Every click power-up, "halfwidth" 1, charged at once.
const char kPowerups[] = R"(<powerups>
  <powerup name="remove_row"><level price="1"><option name="halfwidth" value="1"/><filling_time><level time="0"/></filling_time></level></powerup>
  <powerup name="remove_col"><level price="1"><option name="halfwidth" value="1"/><filling_time><level time="0"/></filling_time></level></powerup>
  <powerup name="remove_block"><level price="1"><option name="halfwidth" value="1"/><filling_time><level time="0"/></filling_time></level></powerup>
  <powerup name="remove_color"><level price="1"><option name="halfwidth" value="1"/><filling_time><level time="0"/></filling_time></level></powerup>
  <powerup name="recolor"><level price="1"><option name="halfwidth" value="1"/><filling_time><level time="0"/></filling_time></level></powerup>
  <powerup name="reshuffle"><level price="1"><option name="halfwidth" value="1"/><filling_time><level time="0"/></filling_time></level></powerup>
</powerups>)";

// Boards are drawn row by row, rows split by "/": "." empty, "#" a hole, "e" an emitter, "1" to "8" a
// ball, "a" a bad ball, "L" a locked ball of colour 1, "T" and "F" tokens of 1 and 5, "G" a ghost that
// outlives the test and "g" one that goes after 100 ms.
class BoardPlay : public test::EffectKindsTest {
protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<test::TempDir>();
        dir->Write("Moravane/.keep", "");
        utils::Config::SetFilename(dir->File("config.cfg"));
        game::Users::SetFilename(dir->File("users.dat"));
        test::LoadPowerupTable("play_powerups.xml", kPowerups);
        const core::ptr<game::User> ann(new game::User("ann"));
        ann->Set("powerups", core::Value("remove_row:0;remove_col:0;remove_block:0;remove_color:0;recolor:0;"
                                         "reshuffle:0"));
        game::Users::instance()->Add(ann);
    }
    static void TearDownTestSuite() { dir.reset(); }

    void SetUp() override {
        EffectKindsTest::SetUp();
        for (const char* key : {"fall_delay", "bonus_animation_length", "bonus_animation_emissions_count"})
            utils::Config::instance()->Set(key, core::Value(0u));
    }

    // A board of the picture with the level options ("map" made from the picture and the plates, one digit
    // a cell row by row); its balls rest where drawn.
    std::unique_ptr<cm::Board> Make(const std::string& picture, const std::string& options,
                                    const std::string& plates = "") {
        clock.Start();
        rows = core::str_split(picture, "/");
        const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
        auto board = std::make_unique<cm::Board>(width, height);
        board->cell_width = board->cell_height = kCell;
        std::string exists, emitters;
        for (const std::string& row : rows) {
            for (char c : row) {
                exists += c == '#' ? '0' : '1';
                emitters += c == 'e' ? '1' : '0';
            }
        }
        level = core::ptr<game::LevelSet::Level>(new game::LevelSet::Level(Parse("<level/>"), nullptr));
        level->id = 2;
        level->uid = 77;
        level->revision = 4;
        level->Set("map", core::Value(exists + ";" + emitters + ";" + plates));
        for (const std::string& pair : core::str_split(options, " ")) {
            const std::vector<std::string> sides = core::str_split(pair, "=", 2);
            if (sides.size() == 2) level->Set(sides[0], core::Value(sides[1]));
        }
        board->LoadLevel(level);
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) Put(*board, rows[y][x], x, y);
        }
        return board;
    }

    void Put(cm::Board& board, char c, int x, int y) {
        const math::Vector2 cell(kCell, kCell);
        core::ptr<cm::Ball> ball;
        if (c >= '1' && c <= '8') ball = core::ptr<cm::Ball>(new cm::Ball(nullptr, cell, c - '0'));
        if (c == 'L') ball = core::ptr<cm::Ball>(new cm::Ball(nullptr, cell, 1));
        if (c == 'a') ball = board.factory.CreateBall('a');
        if (c == 'T' || c == 'F') ball = core::ptr<cm::Ball>(new cm::Token(nullptr, cell, c == 'T' ? 1 : 5));
        if (c == 'G' || c == 'g')
            ball = core::ptr<cm::Ball>(
                new cm::Ghost(utils::Timer::instance()->GetTime(), c == 'G' ? 100000 : 100, cell));
        if (!ball) return;
        ball->locked = c == 'L';
        ball->MoveTo(x, y);
        ball->target_col = x;
        ball->target_row = y;
        board.balls.Set(x, y, ball);
    }

    static std::string Show(const cm::Board& board) {
        std::string picture;
        for (int y = 0; y < board.balls.height; ++y) {
            if (y) picture += "/";
            for (int x = 0; x < board.balls.width; ++x) {
                const core::ptr<cm::Ball>& ball = board.balls.Get(x, y);
                const cm::BoardCell& cell = board.back_board.Get(x, y);
                if (!ball)
                    picture += !cell.exists ? '#' : cell.emitter ? 'e' : '.';
                else if (ball->locked)
                    picture += 'L';
                else if (ball->GetColor() == cm::Token::kColor)
                    picture += 'T';
                else if (ball->GetColor() == cm::Ghost::kColor)
                    picture += 'G';
                else if (ball->GetColor() == cm::BallFactory::B_BADBALL)
                    picture += 'a';
                else
                    picture += static_cast<char>('0' + ball->GetColor());
            }
        }
        return picture;
    }

    // Frames of kFrame ms from t; returns the time after the last.
    unsigned int Frames(cm::Board& board, unsigned int t, int count) {
        for (int i = 0; i < count; ++i) {
            clock.At(t += kFrame);
            board.Update();
        }
        return t;
    }

    static void ClickCell(cm::Board& board, int x, int y) {
        const math::Vector2 point(x * kCell + kCell / 2, y * kCell + kCell / 2);
        board.MouseMove(point);
        board.Click(point);
    }

    static std::unique_ptr<test::TempDir> dir;
    test::WorkingDirectory cwd{dir->Path()};
    std::vector<std::string> rows;
    core::ptr<game::LevelSet::Level> level;
};

std::unique_ptr<test::TempDir> BoardPlay::dir;

TEST_F(BoardPlay, BallsFallOneCellAStepAsTheFloorGhostsAndEmittersAllow) {
    struct Case {
        const char* name;
        const char* before;
        const char* after;
        unsigned int tokens;
    };
    const Case cases[] = {
        {"a chain falls together", "1/2/./.", "././1/2", 0},
        {"a ball stops above a hole, a token falls through and is collected", "1T./.../##./...",
         ".../1../##./...", 1},
        {"a ghost holds its cell and the ball above", "1/G/./.", "1/G/./.", 0},
        {"an expired ghost goes and the ball falls", "1/g/./.", "./././1", 0},
        {"a ball slides beside a locked one where nothing can come from above", "1../L../...", ".../L../.1.",
         0},
        {"a ball falling straight goes first, the other slides after it", "12./L../...", ".../L../.21", 0},
        {"an emitter fills its column and keeps nothing itself", "e/./.", "e/1/1", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto board = Make(c.before, "colors=1");
        Frames(*board, 0, 10);
        EXPECT_EQ(Show(*board), c.after);
        EXPECT_EQ(board->collected_tokens, c.tokens);
    }
}

TEST_F(BoardPlay, ABallFallingIntoACellThatAReshuffleFilledWaitsAndNoBallIsLost) {
    auto board = Make("1./32/.1", "time_limit=60");
    // The 1 on top was planned to fall onto the 3, which was planned to fall further.
    board->balls.Get(0, 0)->target_row = 1;
    board->balls.Get(0, 1)->target_row = 2;
    // The reshuffle sends the 1 of the right column into the 3's cell, where it rests.
    board->Reshuffle(1, 2, 1);
    ASSERT_TRUE(board->reshuffle_running);
    Frames(*board, 0, 30);
    EXPECT_EQ(Show(*board), "../12/13");
}

TEST_F(BoardPlay, TokensComeOutAsThePlatesGo) {
    struct Case {
        unsigned int at_start, left, queued, total;
        bool token;
    };
    const Case cases[] = {{10, 5, 3, 4, true}, {10, 5, 2, 4, false}, {10, 9, 4, 4, false},
                          {10, 1, 1, 4, true}, {0, 0, 1, 4, true},   {10, 1, 0, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.left) + " of " + std::to_string(c.at_start) + " plates, " +
                     std::to_string(c.queued) + " of " + std::to_string(c.total) + " tokens queued");
        auto board = Make("e/.", "colors=1");
        board->plates_at_start = c.at_start;
        board->plates_left = c.left;
        board->token_queue.assign(c.queued, 5);
        board->total_tokens = c.total;
        board->ForceEmit();
        board->Generate();
        ASSERT_TRUE(board->balls.Get(0, 0));
        EXPECT_EQ(board->balls.Get(0, 0)->GetColor() == cm::Token::kColor, c.token);
    }
}

TEST_F(BoardPlay, AClickRemovesAGroupOfThreeOrMoreThatIsNotAllLocked) {
    struct Case {
        const char* name;
        const char* before;
        const char* plates;
        const char* after;
        unsigned int score, plates_left, tokens;
        float cell = kCell;
    };
    const Case cases[] = {
        {"a pair stays", "11../2.../3...", "1100", "11../2.../3...", 0, 2, 0},
        {"an L shape goes, each plate one level", "11../1.../2...", "21001000", "GG../G.../2...", 30, 1, 0},
        {"a wholly locked group cannot be clicked", "LL../LL../2...", "", "LL../LL../2...", 0, 0, 0},
        {"locked balls of a group are unlocked and stay", "1L../1L../2...", "", "G1../G1../2...", 20, 0, 0},
        {"a token is collected", "F1../2.../3...", "", ".1../2.../3...", 0, 0, 5},
        {"a board without a cell size finds no ball", "111", "", "111", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto board = Make(c.before, "time_limit=60", c.plates);
        board->cell_width = board->cell_height = c.cell;
        ClickCell(*board, 0, 0);
        EXPECT_EQ(Show(*board), c.after);
        EXPECT_EQ(board->score, c.score);
        EXPECT_EQ(board->plates_left, c.plates_left);
        EXPECT_EQ(board->collected_tokens, c.tokens);
    }
}

TEST_F(BoardPlay, ABonusKindWithADelayComesOnlyFromTheMoveOfItsDelay) {
    auto board = Make("T222/1114/33..", "colors=1");
    // So heavy that, once it may come, nearly every ball is one.
    level->SetBonus("remove_row", game::LevelSet::Level::BonusOption("remove_row", 1000000, 2));
    board->Reset();
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 4; ++x) Put(*board, rows[y][x], x, y);
    }
    const auto rows_made = [&board] {
        int made = 0;
        for (int i = 0; i < 100; ++i) {
            const core::ptr<cm::Ball> ball = board->factory.CreateBall();
            if (ball && ball->GetColor() == cm::BallFactory::B_REMOVE_ROW) ++made;
        }
        return made;
    };
    struct Click {
        const char* name;
        int x, y;
        bool some;
    };
    const Click clicks[] = {
        {"a refused pair", 0, 2, false},
        {"a collected token", 0, 0, false},
        {"the first group", 0, 1, false},
        {"the second group", 1, 0, true},
    };
    EXPECT_EQ(rows_made(), 0);
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.name);
        ClickCell(*board, click.x, click.y);
        const int made = rows_made();
        if (click.some) {
            EXPECT_GT(made, 90);
        } else {
            EXPECT_EQ(made, 0);
        }
    }
}

// Its removal puts a plain ball in its own cell, dropping the board's hold on it, then reads its own colour.
class SelfReplacingBall : public cm::Ball {
public:
    SelfReplacingBall(int x, int y, unsigned int& color_after)
        : cm::Ball(nullptr, math::Vector2(kCell, kCell), 3), x_(x), y_(y), color_after_(color_after) {}
    void OnRemove(cm::Board* board) override {
        board->balls.Set(x_, y_, core::ptr<cm::Ball>(new cm::Ball(nullptr, math::Vector2(kCell, kCell), 4)));
        color_after_ = GetColor();
    }

private:
    int x_, y_;
    unsigned int& color_after_;
};

TEST_F(BoardPlay, ABallWhoseRemovalReplacesItsOwnCellLivesUntilItsActionEnds) {
    auto board = Make("11", "time_limit=60");
    unsigned int color_after = 0;
    // The board holds the only reference.
    board->balls.Set(1, 0, core::ptr<cm::Ball>(new SelfReplacingBall(1, 0, color_after)));
    board->PerformSingleRemove(1, 0, false);
    EXPECT_EQ(color_after, 3u);
    EXPECT_EQ(board->score, 10u);
}

TEST_F(BoardPlay, EachPowerUpActsAtTheClickedBallAndIsSpentAsItsRuleSays) {
    struct Case {
        const char* name;
        const char* before;
        // The balls right after the click, then the removers, waves and reshuffle it started.
        const char* after;
        bool spent;
    };
    // A power-up that may find nothing to do is spent only when it acts; a bad ball gives it nothing. A
    // power-up's click also takes what the group test marked, even a pair.
    const Case cases[] = {
        {"remove_row", "123/456/123", "1G3/4G6/1G3, 6 removers, 0 waves, 0 reshuffled", true},
        {"remove_row", "123/556/123", "1G3/GG6/1G3, 6 removers, 0 waves, 0 reshuffled", true},
        {"remove_col", "123/456/123", "123/GGG/123, 6 removers, 0 waves, 0 reshuffled", true},
        {"remove_block", "123/456/123", "GGG/GGG/GGG, 0 removers, 0 waves, 0 reshuffled", true},
        {"remove_color", "123/456/123", "123/456/123, 0 removers, 1 waves, 0 reshuffled", true},
        {"remove_color", "123/4a6/123", "123/4a6/123, 0 removers, 0 waves, 0 reshuffled", false},
        {"recolor", "123/456/123", "555/555/555, 0 removers, 0 waves, 0 reshuffled", true},
        {"recolor", "123/4a6/123", "123/4a6/123, 0 removers, 0 waves, 0 reshuffled", false},
        {"reshuffle", "123/456/123", "123/456/123, 0 removers, 0 waves, 9 reshuffled", true},
        {"reshuffle", "123/4a6/123", "123/4a6/123, 0 removers, 0 waves, 0 reshuffled", false},
    };
    game::CurrentPowerupSet* powerups = game::CurrentPowerupSet::instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " on " + c.before);
        auto board = Make(c.before, "time_limit=60");
        board->Update();
        powerups->Select(c.name);
        board->MouseMove(math::Vector2(15, 15));
        board->Click(math::Vector2(15, 15));
        EXPECT_EQ(Show(*board) + ", " + std::to_string(board->removers.size()) + " removers, " +
                      std::to_string(board->waves.size()) + " waves, " +
                      std::to_string(board->reshuffled_balls.size()) + " reshuffled",
                  c.after);
        EXPECT_EQ(powerups->GetSelectedName(), c.spent ? "" : c.name);
        powerups->Select("");
    }
}

TEST_F(BoardPlay, TheWinPaysItsTimeBonusOnceFromTheLevelsOwnPlayedTime) {
    struct Case {
        const char* name;
        const char* options;
        unsigned int played, length, count;
        // What happens after the played time, before the winning click: "", "reset", or "win, reset" (won
        // and counted up first).
        const char* before;
        unsigned int bonus, first_step;
    };
    const Case cases[] = {
        {"a quarter of the time left, in ten steps", "time_limit=60", 45000, 1000, 10, "", 2500, 250},
        {"no emission count: one step", "time_limit=60", 45000, 1000, 0, "", 2500, 2500},
        {"no animation length: one step", "time_limit=60", 45000, 0, 10, "", 2500, 2500},
        {"no time limit: no bonus", "", 0, 1000, 10, "", 0, 0},
        {"won at once after a reset of a long level", "time_limit=60", 50000, 1000, 10, "reset", 10000, 1000},
        {"won again at once after a reset: the whole bonus again", "time_limit=60", 50000, 1000, 10,
         "win, reset", 10000, 1000},
        {"more steps than frames: the rest when the animation is over", "time_limit=60", 45000, 1000, 40, "",
         2500, 62},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        utils::Config::instance()->Set("bonus_animation_length", core::Value(c.length));
        utils::Config::instance()->Set("bonus_animation_emissions_count", core::Value(c.count));
        auto board = Make("111", c.options, "111");
        const std::string before = c.before;
        unsigned int t = c.played;
        // The limit of 0 is kept out of the first frame, which would lose the level.
        if (t) {
            clock.At(t);
            board->Update();
        }
        if (before == "win, reset") {
            ClickCell(*board, 0, 0);
            ASSERT_TRUE(board->won);
            t = Frames(*board, t, 40);
        }
        if (!before.empty()) {
            board->Reset();
            for (int x = 0; x < 3; ++x) Put(*board, '1', x, 0);
        }
        ClickCell(*board, 0, 0);
        ASSERT_TRUE(board->won);
        EXPECT_EQ(board->time_bonus, c.bonus);
        t = Frames(*board, t, 1);
        EXPECT_EQ(board->score, 30 + c.first_step);
        board->OnChanges();  // as when a remover or wave finishes later
        Frames(*board, t, 40);
        EXPECT_EQ(board->score, 30 + c.bonus);
        EXPECT_TRUE(board->finished && board->won);
        EXPECT_EQ(core::Context::instance()->Get("game_time_progress").as_float(), 0.0f);
    }
}

TEST_F(BoardPlay, ALevelLostOnTimeShowsNoTimeLeftAndCannotBeWonAfter) {
    auto board = Make("111", "time_limit=1", "111");
    struct Step {
        unsigned int t;
        const char* action;
        bool finished;
        unsigned int time_left, game_time;
    };
    const Step steps[] = {
        {1, "", false, 999, 1},         {400, "pause", false, 999, 1},   {2400, "resume", false, 600, 400},
        {3000, "", false, 0, 1000},     {3001, "", true, 0, 1001},       {3500, "pause", true, 0, 1001},
        {9000, "click", true, 0, 1001}, {9100, "resume", true, 0, 1001}, {20000, "", true, 0, 1001},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE("at " + std::to_string(step.t) + " " + step.action);
        clock.At(step.t);
        if (std::string(step.action) == "pause") board->Pause();
        if (std::string(step.action) == "resume") board->Resume();
        if (std::string(step.action) == "click") ClickCell(*board, 0, 0);
        board->Update();
        EXPECT_EQ(board->finished, step.finished);
        EXPECT_FALSE(board->won);
        EXPECT_EQ(board->time_left, step.time_left);
        EXPECT_EQ(core::Context::instance()->Get("game_time").as_uint32(), step.game_time);
    }
    EXPECT_EQ(board->time_bonus, 0u);
}

TEST_F(BoardPlay, ABoardClearedByARemoverInTheFrameThatPassesTheLimitIsLost) {
    auto board = Make("111", "time_limit=1", "001");
    board->removers.push_back({1, 0, 1, 0});
    clock.At(940);
    board->Update();
    ASSERT_EQ(board->plates_left, 0u);
    ASSERT_FALSE(board->finished);
    // The remover steps off the board in the frame that passes the limit, and the check after it wins.
    clock.At(1001);
    board->Update();
    EXPECT_TRUE(board->finished);
    EXPECT_FALSE(board->won);
    const unsigned int score = board->score;
    Frames(*board, 1001, 40);
    EXPECT_EQ(board->score, score) << "no bonus";
    EXPECT_EQ(board->time_left, 0u);
}

TEST_F(BoardPlay, TheStatisticsFileGetsAHeaderOnceAndALinePerEndedLevel) {
    const std::string file = "Moravane/playing_stat.csv";
    std::remove(file.c_str());
    auto board = Make("111", "time_limit=60");
    clock.At(20000);
    board->paused_time = 5000;
    board->score = 120;
    board->won = true;
    // Written while the bonus is counted up: the line holds all of it.
    board->time_bonus = 1000;
    board->bonus_paid = 400;
    board->SaveStat();
    board->won = false;
    board->SaveStat();
    board->level = core::ptr<game::LevelSet::Level>();
    board->SaveStat();
    EXPECT_EQ(dir->Read(file),
              "username;level_id;level_uid;level_revision;score;play_time;win\r\n"
              "ann;2;77;4;720;15000;true;\r\nann;2;77;4;120;15000;false;\r\n");
}

// A 3 by 3 level: a click takes the six balls of colour 1, the 2s fall into the bottom row once the
// ghosts go, and a second click there takes the last plates.
TEST_F(BoardPlay, ASmallLevelPlayedByClickingGroupsIsWonWithItsBonusAndStatisticsLine) {
    std::remove("Moravane/playing_stat.csv");
    utils::Config::instance()->Set("fall_delay", core::Value(200u));
    utils::Config::instance()->Set("bonus_animation_length", core::Value(1000u));
    utils::Config::instance()->Set("bonus_animation_emissions_count", core::Value(4u));
    auto board = Make("222/111/111", "time_limit=60", "000111222");
    EXPECT_EQ(board->plates_at_start, 9u);
    unsigned int t = Frames(*board, 0, 100);
    // Hovers the cells from the bottom row up and clicks the first ball the hover lights.
    const auto click_a_group = [&board] {
        for (int i = 8; i >= 0; --i) {
            const math::Vector2 point((i % 3) * kCell + 5, (i / 3) * kCell + 5);
            board->MouseMove(point);
            const core::ptr<cm::Ball>& ball = board->balls.Get(i % 3, i / 3);
            if (!ball || !ball->IsOver()) continue;
            board->Click(point);
            return true;
        }
        return false;
    };
    int clicks = 0;
    while (!board->finished && clicks < 10) {
        t = Frames(*board, t, 10);
        if (click_a_group()) ++clicks;
    }
    ASSERT_TRUE(board->finished && board->won);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(Show(*board), ".../.../GGG");
    EXPECT_EQ(board->plates_left, 0u);
    EXPECT_EQ(board->play_time, 6120u);
    EXPECT_EQ(board->time_bonus, 8980u);
    Frames(*board, t, 40);
    EXPECT_EQ(board->score, 90u + 8980u);
    board->SaveStat();
    EXPECT_EQ(
        dir->Read("Moravane/playing_stat.csv"),
        "username;level_id;level_uid;level_revision;score;play_time;win\r\nann;2;77;4;9070;8160;true;\r\n");
}

}  // namespace
