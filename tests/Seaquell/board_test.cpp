#include "Seaquell/board.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "effects/effect_kinds_fixture.h"
#include "support/capture_log.h"
#include "support/temp_dir.h"
#include "vantle/core/context.h"
#include "vantle/core/functor_factory.h"
#include "vantle/core/strutils.h"
#include "vantle/game/users.h"
#include "vantle/utils/config.h"
#include "vantle/xml/xmlcache.h"

namespace {

// The board's data, shared by every test: effects drawing a 2 by 2 square for the score and the biggest
// praise, and a tile map with a lock tile; every other file is missing.
class BoardTest : public test::EffectKindsTest {
protected:
    static void SetUpTestSuite() {
        dir = std::make_unique<test::TempDir>();
        dir->Write("data/effects/score.xml", "<effect><image w='2' h='2'/></effect>");
        dir->Write("data/effects/wow3.xml", "<effect><image w='2' h='2'/></effect>");
        dir->Write("data/tilemaps/board.xml", "<tilemap><tile name='lock' color='FF000080'/></tilemap>");
        game::Users::SetFilename(dir->File("users.dat"));
        utils::Config::SetFilename(dir->File("config.cfg"));
    }
    static void TearDownTestSuite() { dir.reset(); }

    void SetUp() override {
        EffectKindsTest::SetUp();
        cm::Board::Unload();
    }

    // Level `index` of a level set of levels made from "name=value" options and "name=prob" bonuses, each
    // list separated by blanks. Each file gets a name of its own: the XML cache keeps documents.
    core::ptr<game::LevelSet::Level> LoadLevels(const std::vector<std::string>& levels, int index = 0) {
        std::string xml = "<levelset>";
        for (const std::string& options : levels) {
            const std::vector<std::string> parts = core::str_split(options, "|", 2);
            xml += "<level><options>" + Elements("option", "value", parts[0]) + "</options><bonuses>" +
                   Elements("bonus", "prob", parts[1]) + "</bonuses></level>";
        }
        static int files = 0;
        const std::string name = "levels" + std::to_string(++files) + ".xml";
        dir->Write(name, xml + "</levelset>");
        set.Load(name);
        return set.GetLevel(index);
    }

    static std::string Elements(const std::string& tag, const std::string& value, const std::string& list) {
        std::string xml;
        for (const std::string& pair : core::str_split(list, " ")) {
            const std::vector<std::string> sides = core::str_split(pair, "=", 2);
            if (!pair.empty())
                xml += "<" + tag + " name='" + sides[0] + "' " + value + "='" + sides[1] + "'/>";
        }
        return xml;
    }

    static std::unique_ptr<test::TempDir> dir;
    test::WorkingDirectory cwd{dir->Path()};
    test::CaptureLog log;
    game::LevelSet set;
};

std::unique_ptr<test::TempDir> BoardTest::dir;

// "kind@x,y": the colour of a plain ball or the kind's name, "*" for a locked ball.
std::string Describe(const core::ptr<cm::Ball>& ball) {
    const std::string kind =
        ball->GetTypeName() == "default" ? std::to_string(ball->GetColor()) : ball->GetTypeName();
    return kind + "@" + std::to_string(ball->col) + "," + std::to_string(ball->row) +
           (ball->locked ? "*" : "");
}

// Column by column.
std::vector<std::string> BallsOf(const cm::Board& board) {
    std::vector<std::string> found;
    for (int x = 0; x < board.balls.width; ++x) {
        for (int y = 0; y < board.balls.height; ++y) {
            const core::ptr<cm::Ball>& ball = board.balls.Get(x, y);
            if (!ball) continue;
            found.push_back(Describe(ball));
        }
    }
    return found;
}

TEST_F(BoardTest, ColoursComeFromTheColourBonusesOrElseTheColourCountAndTokensQueueByValue) {
    struct Case {
        const char* level;
        std::set<unsigned int> colors;
        std::vector<unsigned int> tokens;
    };
    const Case cases[] = {
        {"|c_2=7", {3}, {}},
        {"colors=6|c_0=1 c_4=50", {1, 5}, {}},
        {"colors=3 tokens_count=2 tokens5_count=1 tokens10_count=1", {1, 2, 3}, {1, 1, 5, 10}},
        {"colors=2|c_5=0", {1, 2}, {}},
        {"", {}, {}},
        {"tokens10_count=4000000000", {}, std::vector<unsigned int>(10000, 10)},
    };
    cm::Board board(4, 3);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.level);
        board.LoadLevel(LoadLevels({c.level}));
        std::set<unsigned int> drawn;
        for (int i = 0; i < 200; ++i) {
            if (const core::ptr<cm::Ball> ball = board.factory.CreateBall()) drawn.insert(ball->GetColor());
        }
        EXPECT_EQ(drawn, c.colors);
        EXPECT_EQ(std::vector<unsigned int>(board.token_queue.begin(), board.token_queue.end()), c.tokens);
        EXPECT_EQ(board.total_tokens, c.tokens.size());
    }
}

TEST_F(BoardTest, TheMapPlacesAndLocksBallsAnnouncingBonusAndLockedOnesInOrder) {
    struct Case {
        const char* name;
        std::string layers;
        std::vector<std::string> balls;
        std::vector<std::string> announced;
    };
    // A 4 by 3 board: 12 characters a layer, row by row.
    const std::string preplaced = ";1e000200b001";
    const Case cases[] = {
        {"three layers", "", {}, {}},
        {"four layers",
         preplaced,
         {"1@0,0", "remove_block@0,2", "remove_row@1,0", "2@1,1", "1@3,2"},
         {"remove_block@0,2", "remove_row@1,0"}},
        {"five layers; a lock on an empty cell does nothing",
         preplaced + ";111001000000",
         {"1@0,0*", "remove_block@0,2", "remove_row@1,0*", "2@1,1*", "1@3,2"},
         {"remove_block@0,2", "remove_row@1,0*", "1@0,0*", "remove_row@1,0*", "2@1,1*"}},
        {"a short ball layer with an unknown code", ";1ez", {"1@0,0", "remove_row@1,0"}, {"remove_row@1,0"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cm::Board board(4, 3);
        board.LoadLevel(LoadLevels({"map=111111111111;000000000000;123000000000" + c.layers}));
        EXPECT_EQ(BallsOf(board), c.balls);
        std::vector<std::string> announced;
        for (const core::ptr<cm::Ball>& ball : board.generated_balls) announced.push_back(Describe(ball));
        EXPECT_EQ(announced, c.announced);
        EXPECT_TRUE(board.plates_at_start == 6 && board.plates_left == 6);
    }
}

TEST_F(BoardTest, AResetTakesLimitIdAndPlatesFromTheLevelAndWithoutOneKeepsTheDefaults) {
    struct Case {
        int index;
        unsigned int time_limit;
        unsigned int level_id;
        unsigned int plates;
    };
    const Case cases[] = {
        {0, 90000, 1, 5},
        {1, 45000, 2, 1},
        {2, 30000, 2, 1},
    };
    cm::Board board(2, 2);
    for (const Case& c : cases) {
        SCOPED_TRACE("level " + std::to_string(c.index));
        log.Clear();
        board.LoadLevel(
            LoadLevels({"time_limit=90 map=1111;0000;0302", "time_limit=45 map=1111;0000;1000"}, c.index));
        EXPECT_EQ(board.time_limit, c.time_limit);
        EXPECT_EQ(core::Context::instance()->Get("level_id").as_uint32(), c.level_id);
        EXPECT_EQ(board.plates_left, c.plates);
        EXPECT_EQ(board.generate_counter, 1u) << "one generation step, without emission";
        EXPECT_EQ(log.Contains("No valid level found"), c.index == 2);
    }
}

TEST_F(BoardTest, BonusSpritesLoadInTheOrderOfTheKindsTableWithFixedColourRemoversAfterTheRandomOne) {
    const core::ptr<game::LevelSet::Level> level = LoadLevels({"colors=1"});
    // Damaged sprites log their names as they load; a folder of its own keeps them from the other tests.
    test::TempDir sprites;
    const std::vector<std::string> kinds = {"badball",          "remove_row",        "remove_col",
                                            "remove_cross",     "remove_block",      "remove_color",
                                            "remove_diag_left", "remove_diag_right", "remove_diag_cross",
                                            "addtime",          "replater",          "makebadballs"};
    for (const std::string& kind : kinds) sprites.Write("data/sprites/" + kind + ".xml", "<sprite");
    test::WorkingDirectory in_sprites(sprites.Path());
    xml::XmlCache::instance()->Clear();
    cm::Board board(2, 2);
    log.Clear();
    board.LoadLevel(level);
    std::vector<std::string> loaded;
    for (const std::string& line : log.Lines()) {
        const std::string::size_type at = line.find("data/sprites/");
        if (line.find("Error loading sprite") != std::string::npos && at != std::string::npos)
            loaded.push_back(line.substr(at + 13, line.find(".xml") - at - 13));
    }
    std::vector<std::string> expected(kinds.begin(), kinds.begin() + 6);
    expected.insert(expected.end(), 8, "remove_color");
    expected.insert(expected.end(), kinds.begin() + 6, kinds.end());
    EXPECT_EQ(loaded, expected);
    xml::XmlCache::instance()->Clear();
}

TEST_F(BoardTest, AResetEndsTheOldLevelsRemoversAndReshuffleButKeepsItsAnnouncedBalls) {
    cm::Board board(4, 3);
    board.LoadLevel(LoadLevels({"map=111111111111;000000000000;000000000000;0e"}));
    const core::ptr<cm::Ball> old_ball = board.balls.Get(1, 0);
    board.removers.push_back({1, 0, 1, 0});
    board.reshuffle_running = board.paused = board.finished = board.won = true;
    board.reshuffled_balls.push_back(old_ball);

    board.Reset();
    EXPECT_FALSE(board.reshuffle_running || board.paused || board.finished || board.won);
    EXPECT_TRUE(board.removers.empty() && board.reshuffled_balls.empty());
    ASSERT_EQ(board.generated_balls.size(), 2u);
    EXPECT_EQ(board.generated_balls.front(), old_ball);
    EXPECT_NE(board.balls.Get(1, 0), old_ball);
}

TEST_F(BoardTest, TheArtworkIsLoadedOnceWithWhiteTilesForNamesTheMapLacks) {
    cm::Board::Preload();
    const core::ptr<effects::Effect> score = cm::Board::score_effect;
    EXPECT_FALSE(score->GetChilds().empty());
    EXPECT_TRUE(cm::Board::wow1_effect->GetChilds().empty());
    EXPECT_EQ(cm::Board::lock_tile.color, render::Color("FF000080"));
    EXPECT_EQ(cm::Board::emitter_tile.color, render::Color(1, 1, 1, 1));

    cm::Board board(2, 2);
    EXPECT_EQ(cm::Board::score_effect, score) << "a later call loads nothing";
    cm::Board::Unload();
    EXPECT_FALSE(cm::Board::score_effect);
    cm::Board::Preload();
    EXPECT_NE(cm::Board::score_effect, score);
}

TEST_F(BoardTest, EffectsStartAtCellCentresUnlessPreviewOrNoEffectsOrAnEmptyTemplate) {
    struct Case {
        const char* name;
        math::Position cell;
        bool preview, no_effects, empty_template;
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
        board.StartEffect(c.cell, c.empty_template ? cm::Board::wow1_effect : cm::Board::score_effect, "10");
        renderer.ClearRecord();
        board.local_effects.Render();
        std::vector<math::Rect> drawn;
        for (const auto& draw : renderer.Draws()) drawn.push_back(draw.rect);
        EXPECT_EQ(drawn, c.drawn);
    }
}

TEST_F(BoardTest, APraiseForAClickNearAnEdgeStartsFarEnoughInToStayWholeOnTheBoard) {
    struct Case {
        const char* name;
        math::Position clicked, shown;
    };
    // With 32-unit cells a praise keeps 128 from the sides, 66 from the top and 32 from the bottom.
    const Case cases[] = {
        {"top left corner", {0, 0}, {4, 2}},
        {"bottom right corner", {21, 15}, {17, 14}},
        {"inside those margins", {10, 7}, {10, 7}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        cm::Board board(22, 16);
        board.cell_width = board.cell_height = 32;
        // With no thresholds set, any click earns the biggest praise.
        const math::Vector2 point(32 * (c.clicked.x + 0.5f), 32 * (c.clicked.y + 0.5f));
        board.MouseMove(point);
        board.Click(point);
        renderer.ClearRecord();
        board.local_effects.Render();
        const float x = 32 * (c.shown.x + 0.5f), y = 32 * (c.shown.y + 0.5f);
        ASSERT_EQ(renderer.Draws().size(), 1u);
        EXPECT_EQ(renderer.Draws()[0].rect, math::Rect(x - 1, y - 1, x + 1, y + 1));
    }
}

TEST_F(BoardTest, TheNamedFunctorsLeaveWithTheBoardThatHoldsThem) {
    for (bool last_goes : {true, false}) {
        SCOPED_TRACE(last_goes ? "the board built last goes" : "an earlier board goes");
        auto first = std::make_unique<cm::Board>(2, 2);
        auto last = std::make_unique<cm::Board>(2, 2);
        (last_goes ? last : first).reset();
        log.Clear();
        for (const char* name : {"remove_random_blocks", "insert_random_bombs"}) {
            const core::ptr<core::Functor> functor = core::FunctorFactory::instance()->Create(name);
            EXPECT_EQ(static_cast<bool>(functor), !last_goes) << name;
            if (functor) (*functor)();
        }
        // Without those power-ups in the player's set the board says so and drops nothing.
        EXPECT_EQ(log.Contains("no power-up remove_rb"), !last_goes);
        EXPECT_EQ(log.Contains("no power-up rnd_bombs"), !last_goes);
        EXPECT_TRUE(last_goes || last->waves.empty());
    }
}

}  // namespace
