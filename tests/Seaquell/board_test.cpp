#include "Seaquell/board.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "board_calls.h"
#include "effects/effect_kinds_fixture.h"
#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/game/users.h"
#include "vantle/utils/config.h"

namespace {

using Level = core::ptr<game::LevelSet::Level>;

// The board's data, shared by every test: one effect that draws a 2 by 2 square and a tile map with a lock
// tile; every other file is missing.
class BoardTest : public test::EffectKindsTest {
protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<test::TempDir>();
        dir->Write("data/effects/score.xml", "<effect><image w='2' h='2'/></effect>");
        dir->Write("data/tilemaps/board.xml", "<tilemap><tile name='lock' color='FF000080'/></tilemap>");
        game::Users::SetFilename(dir->File("users.dat"));
        utils::Config::SetFilename(dir->File("config.cfg"));
    }
    static void TearDownTestSuite() { dir.reset(); }

    void SetUp() override {
        EffectKindsTest::SetUp();
        cm::Board::Unload();
    }

    // The levels of a level-set file made from the level elements; each file gets a name of its own, since
    // the XML cache keeps documents for the process.
    Level LoadLevels(const std::string& levels, int index = 0) {
        static int files = 0;
        const std::string name = "levels" + std::to_string(++files) + ".xml";
        dir->Write(name, "<levelset>" + levels + "</levelset>");
        set.Load(name);
        return set.GetLevel(index);
    }

    static std::string LevelXml(const std::string& options, const std::string& bonuses = "") {
        return "<level><options>" + options + "</options><bonuses>" + bonuses + "</bonuses></level>";
    }

    static std::string Option(const std::string& name, const std::string& value) {
        return "<option name='" + name + "' value='" + value + "'/>";
    }

    static std::unique_ptr<test::TempDir> dir;
    test::WorkingDirectory cwd{dir->Path()};
    test::CaptureLog log;
    game::LevelSet set;
};

std::unique_ptr<test::TempDir> BoardTest::dir;

// "kind@x,y", the kind being the colour of a plain ball, with "*" for a locked ball.
std::string Describe(const core::ptr<cm::Ball>& ball) {
    const std::string kind =
        ball->GetTypeName() == "default" ? std::to_string(ball->GetColor()) : ball->GetTypeName();
    return kind + "@" + std::to_string(ball->col) + "," + std::to_string(ball->row) +
           (ball->locked ? "*" : "");
}

std::vector<std::string> BallsOf(const cm::Board& board) {
    std::vector<std::string> found;
    for (int x = 0; x < board.balls.width; ++x) {
        for (int y = 0; y < board.balls.height; ++y) {
            const core::ptr<cm::Ball>& ball = board.balls.Get(x, y);
            if (!ball) continue;
            EXPECT_EQ(ball->target_col, x);
            EXPECT_EQ(ball->target_row, y);
            found.push_back(Describe(ball));
        }
    }
    return found;
}

TEST_F(BoardTest, ColoursComeFromTheColourOptionsOrElseFromTheColourCount) {
    struct Case {
        const char* name;
        std::string options;
        std::string bonuses;
        std::set<unsigned int> colors;
    };
    const Case cases[] = {
        {"c_2 with probability 7", "", "<bonus name='c_2' prob='7'/>", {3}},
        {"c_0 and c_4 beat colors",
         Option("colors", "6"),
         "<bonus name='c_0' prob='1'/><bonus name='c_4' prob='50'/>",
         {1, 5}},
        {"colors 3", Option("colors", "3"), "", {1, 2, 3}},
        {"a c_ option of probability 0 counts as none",
         Option("colors", "2"),
         "<bonus name='c_5' prob='0'/>",
         {1, 2}},
        {"neither", "", "", {}},
    };
    cm::Board board(4, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        board.LoadLevel(LoadLevels(LevelXml(c.options, c.bonuses)));
        std::set<unsigned int> drawn;
        for (int i = 0; i < 200; ++i) {
            if (const core::ptr<cm::Ball> ball = board.factory.CreateBall()) drawn.insert(ball->GetColor());
        }
        EXPECT_EQ(drawn, c.colors);
    }
}

TEST_F(BoardTest, TheTokenQueueHoldsOnesThenFivesThenTens) {
    struct Case {
        const char* name;
        std::string options;
        std::vector<unsigned int> queue;
    };
    const Case cases[] = {
        {"two ones, a five, a ten",
         Option("tokens_count", "2") + Option("tokens5_count", "1") + Option("tokens10_count", "1"),
         {1, 1, 5, 10}},
        {"no tokens", "", {}},
    };
    cm::Board board(4, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        board.LoadLevel(LoadLevels(LevelXml(c.options)));
        EXPECT_EQ(std::vector<unsigned int>(board.token_queue.begin(), board.token_queue.end()), c.queue);
        EXPECT_EQ(board.total_tokens, c.queue.size());
    }
    board.LoadLevel(LoadLevels(LevelXml(Option("tokens10_count", "4000000000"))));
    EXPECT_EQ(board.token_queue.size(), 10000u) << "a damaged count must not exhaust memory";
}

TEST_F(BoardTest, TheMapPlacesItsBallsAndLocksThemAnnouncingBonusAndLockedBallsInOrder) {
    struct Case {
        const char* name;
        std::string map;
        std::vector<std::string> balls;
        std::vector<std::string> announced;
    };
    // A 4 by 3 board: each layer is 12 characters, row by row.
    const std::string floor = "111111111111;000000000000;123000000000";
    const std::string preplaced = ";1e000200b001";
    const Case cases[] = {
        {"three layers", floor, {}, {}},
        {"four layers",
         floor + preplaced,
         {"1@0,0", "remove_block@0,2", "remove_row@1,0", "2@1,1", "1@3,2"},
         {"remove_block@0,2", "remove_row@1,0"}},
        {"five layers; the lock on an empty cell does nothing",
         floor + preplaced + ";111001000000",
         {"1@0,0*", "remove_block@0,2", "remove_row@1,0*", "2@1,1*", "1@3,2"},
         {"remove_block@0,2", "remove_row@1,0*", "1@0,0*", "remove_row@1,0*", "2@1,1*"}},
        {"a short ball layer and an unknown character",
         floor + ";1ez",
         {"1@0,0", "remove_row@1,0"},
         {"remove_row@1,0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cm::Board board(4, 3);
        board.LoadLevel(LoadLevels(LevelXml(Option("map", c.map))));
        EXPECT_EQ(BallsOf(board), c.balls);
        std::vector<std::string> announced;
        for (const core::ptr<cm::Ball>& ball : board.generated_balls) announced.push_back(Describe(ball));
        EXPECT_EQ(announced, c.announced);
        EXPECT_EQ(board.plates_at_start, 6u);
        EXPECT_EQ(board.plates_left, 6u);
    }
}

TEST_F(BoardTest, AResetTakesTheLimitIdAndPlatesFromTheLevelOrKeepsTheDefaultsWithoutOne) {
    struct Case {
        const char* name;
        int index;
        unsigned int time_limit;
        int level_id;
        unsigned int plates;
        const char* logged;
    };
    const std::string levels = LevelXml(Option("time_limit", "90") + Option("map", "1111;0000;0302")) +
                               LevelXml(Option("time_limit", "45") + Option("map", "1111;0000;1000"));
    const Case cases[] = {
        {"the first level", 0, 90000, 1, 5, "found valid level"},
        {"the second level", 1, 45000, 2, 1, "found valid level"},
        {"a missing level keeps the last id and plates", 2, 30000, 2, 1, "No valid level found"},
    };
    cm::Board board(2, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        log.Clear();
        board.LoadLevel(LoadLevels(levels, c.index));
        EXPECT_EQ(board.time_limit, c.time_limit);
        EXPECT_EQ(core::Context::instance()->Get("level_id").as_uint32(),
                  static_cast<unsigned int>(c.level_id));
        EXPECT_EQ(board.plates_left, c.plates);
        EXPECT_TRUE(log.Contains(c.logged));
        EXPECT_EQ(test::CallsOn(board).back(), "Generate") << "a reset starts generation";
    }
}

TEST_F(BoardTest, AResetEndsTheOldLevelsRemoversAndReshuffleButKeepsItsAnnouncedBalls) {
    cm::Board board(4, 3);
    board.LoadLevel(LoadLevels(LevelXml(Option("map", "111111111111;000000000000;000000000000;0e"))));
    const core::ptr<cm::Ball> old_ball = board.balls.Get(1, 0);
    board.removers.push_back({1, 0, 1, 0});
    board.reshuffle_running = true;
    board.reshuffled_balls.push_back(old_ball);
    board.paused = board.finished = board.won = true;

    board.Reset();
    EXPECT_TRUE(board.removers.empty());
    EXPECT_FALSE(board.reshuffle_running);
    EXPECT_TRUE(board.reshuffled_balls.empty());
    EXPECT_FALSE(board.paused || board.finished || board.won);
    ASSERT_EQ(board.generated_balls.size(), 2u);
    EXPECT_EQ(board.generated_balls.front(), old_ball);
    EXPECT_NE(board.balls.Get(1, 0), old_ball);
}

TEST_F(BoardTest, FillPutsBallsIntoEveryFreeCellBelowTheTopRow) {
    cm::Board board(2, 3);
    board.LoadLevel(LoadLevels(LevelXml(Option("colors", "1") + Option("map", "111101;000000;000000"))));
    board.blocked_mask.Set(1, 1, true);
    board.Fill();
    EXPECT_EQ(BallsOf(board), (std::vector<std::string>{"1@0,1", "1@1,2"}));
}

TEST_F(BoardTest, TheArtworkIsLoadedOnceWithWhiteTilesForNamesTheMapLacks) {
    cm::Board::Preload();
    const core::ptr<effects::Effect> score = cm::Board::score_effect;
    EXPECT_FALSE(score->GetChilds().empty());
    EXPECT_TRUE(cm::Board::wow1_effect->GetChilds().empty());
    EXPECT_EQ(cm::Board::lock_tile.color, render::Color("FF000080"));
    EXPECT_EQ(cm::Board::emitter_tile.color, render::Color(1, 1, 1, 1));

    cm::Board board(2, 2);
    cm::Board::Preload();
    EXPECT_EQ(cm::Board::score_effect, score) << "a later call must load nothing";
    cm::Board::Unload();
    EXPECT_FALSE(cm::Board::score_effect);
    cm::Board::Preload();
    EXPECT_NE(cm::Board::score_effect, score);
}

TEST_F(BoardTest, EffectsStartAtCellCentresUnlessPreviewOrNoEffectsOrAnEmptyTemplate) {
    struct Case {
        const char* name;
        math::Position cell;
        bool preview;
        bool no_effects;
        bool empty_template;
        std::vector<math::Rect> drawn;
    };
    const Case cases[] = {
        {"cell (0, 0)", {0, 0}, false, false, false, {math::Rect(9, 14, 11, 16)}},
        {"cell (3, 2)", {3, 2}, false, false, false, {math::Rect(69, 74, 71, 76)}},
        {"preview", {3, 2}, true, false, false, {}},
        {"no effects", {3, 2}, false, true, false, {}},
        {"a missing file", {3, 2}, false, false, true, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cm::Board board(22, 16);
        board.cell_width = 20;
        board.cell_height = 30;
        board.preview = c.preview;
        board.no_effects = c.no_effects;
        board.StartEffect(c.cell, c.empty_template ? cm::Board::wow1_effect : cm::Board::score_effect);
        renderer.ClearRecord();
        board.local_effects.Render();
        std::vector<math::Rect> drawn;
        for (const auto& draw : renderer.Draws()) drawn.push_back(draw.rect);
        EXPECT_EQ(drawn, c.drawn);
    }
}

TEST_F(BoardTest, TheNamedFunctorsLeaveWithTheBoardThatHoldsThem) {
    struct Case {
        const char* name;
        bool destroy_last_built;
        bool names_remain;
    };
    const Case cases[] = {
        {"the board built last goes", true, false},
        {"an earlier board goes", false, true},
    };
    core::FunctorFactory* functors = core::FunctorFactory::instance();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto first = std::make_unique<cm::Board>(2, 2);
        auto last = std::make_unique<cm::Board>(2, 2);
        const cm::Board* survivor = c.destroy_last_built ? first.get() : last.get();
        (c.destroy_last_built ? last : first).reset();
        test::BoardCalls().clear();
        for (const char* name : {"remove_random_blocks", "insert_random_bombs"}) {
            const core::ptr<core::Functor> functor = functors->Create(name);
            ASSERT_EQ(static_cast<bool>(functor), c.names_remain) << name;
            if (functor) (*functor)();
        }
        const std::vector<std::string> expected =
            c.names_remain ? std::vector<std::string>{"RemoveRandomBlocks", "InsertRandomBombs"}
                           : std::vector<std::string>{};
        EXPECT_EQ(test::CallsOn(*survivor), expected);
    }
}

}  // namespace
