// From the main menu into a level won by clicking balls, then Next into a two-second level that is lost;
// what the screen showed is checked against the play statistics and the players file. Then the first
// level again from the map, won, and Next leads on to the second. The board plays with the shipped
// settings, so the screen shows the last plated cells glowing and the score counts the bonus up.

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "Seaquell/game.h"
#include "game_session.h"
#include "vantle/core/context.h"
#include "vantle/core/strutils.h"
#include "vantle/game/users.h"
#include "vantle/gui/widgets/number.h"
#include "vantle/math/position.h"

namespace {

// The first level's three pools of one colour, with walls of no cells between them: the first column,
// the width and the count of plates of each. Once the wide pool is cleared fewer than ten plates are
// left, and fewer than four once the middle one is.
struct Pool {
    int column, width, plates;
};
const Pool kPools[] = {{0, 15, 75}, {16, 3, 6}, {20, 2, 2}};
// Every cell of the pools below the emitters' row.
const int kFullBoard = (15 + 3 + 2) * 15;

// The cell of a pool's plate: they fill its second row from the bottom, then the rows above.
math::Position PlatedCell(const Pool& pool, int plate) {
    return math::Position(pool.column + plate % pool.width, 14 - plate / pool.width);
}
// Room enough for the score's figures left of its right edge.
const float kScoreWidth = 120;
const float kScoreHeight = 24;

// Layers of a 22 by 16 map: every cell, emitters along the top row, plates on the given rows.
std::string Map(int first_plate_row, int last_plate_row) {
    std::string cells(22 * 16, '1'), emitters(22 * 16, '0'), plates(22 * 16, '0');
    std::fill(emitters.begin(), emitters.begin() + 22, '1');
    for (int row = first_plate_row; row <= last_plate_row; ++row)
        std::fill(plates.begin() + row * 22, plates.begin() + row * 22 + 22, '1');
    return cells + ";" + emitters + ";" + plates;
}

// The pools' cells, with emitters along their top row, and their plates.
std::string PoolsMap() {
    std::string cells(22 * 16, '0'), emitters(22 * 16, '0'), plates(22 * 16, '0');
    for (const Pool& pool : kPools) {
        for (int row = 0; row < 16; ++row)
            std::fill_n(cells.begin() + row * 22 + pool.column, pool.width, '1');
        std::fill_n(emitters.begin() + pool.column, pool.width, '1');
        for (int i = 0; i < pool.plates; ++i) {
            const math::Position cell = PlatedCell(pool, i);
            plates[cell.y * 22 + cell.x] = '1';
        }
    }
    return cells + ";" + emitters + ";" + plates;
}

// One colour, so a click takes a whole pool; then a level of two seconds.
std::string LocalizedLevels() {
    return "<levelset><level name='One colour' uid='1'><options><option name='time_limit' value='600'/>"
           "<option name='colors' value='1'/><option name='background' value='01_01'/><option name='map' "
           "value='" +
           PoolsMap() +
           "'/></options></level><level name='Two seconds' uid='2'><options><option name='time_limit' "
           "value='2'/><option name='colors' value='4'/><option name='background' value='02_01'/><option "
           "name='map' value='" +
           Map(5, 14) + "'/></options></level></levelset>";
}

class WholeGame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        run = new test::TempDir;
        test::GameSession::Assemble(*run, "localized_data = loc/\n");
        run->Write("loc/data/levels.xml", LocalizedLevels());
    }

    static gui::Window* Find(const std::string& path) { return test::GameSession::Find(path); }
    static bool Shown(const std::string& path) { return test::GameSession::Shown(path); }
    static cm::Game* Board() { return dynamic_cast<cm::Game*>(Find("board")); }
    static int BallCount() {
        const cm::Board& board = Board()->board;
        int count = 0;
        for (int x = 0; x < board.balls.width; ++x)
            for (int y = 0; y < board.balls.height; ++y) count += board.balls.Get(x, y) ? 1 : 0;
        return count;
    }
    // The score the screen showed with the panel that ended the level, the winning bonus counted up; and
    // on the first level won, each score shown between the win and its panel.
    void Watch() {
        cm::Game* game = Board();
        if (!game) return;
        const unsigned int score = core::Context::instance()->Get("game_score").as_uint32();
        const bool ended = Shown("win_panel") || Shown("lose_panel");
        if (game->board.won && !ended && scored.empty() && (won_scores.empty() || won_scores.back() != score))
            won_scores.push_back(score);
        if (ended && scored.insert(game->level_id).second) shown_scores.push_back(score);
    }
    // How the plated cells of a pool glow in the screen's rows: "" not at all, "pale" or "orange", or
    // "mixed". Balls cover the middle of a cell, so the glow is read in its top left corner.
    static std::string Glow(const std::vector<std::uint8_t>& rows, const Pool& pool) {
        std::set<std::string> seen;
        for (int i = 0; i < pool.plates; ++i) {
            const math::Vector2 corner = CellCorner(PlatedCell(pool, i)) + math::Vector2(1, 1);
            const int x = static_cast<int>(corner.x), y = static_cast<int>(corner.y);
            const std::uint8_t* p = &rows[(y * test::GameSession::kWidth + x) * 4];
            const int r = p[0], b = p[2];
            // Over the plate's dark blue, about (30, 59, 81), both glows bring red; the pale gold brings blue
            // too, the orange takes it away.
            seen.insert(r < 64 ? "" : b < 86 ? "orange" : "pale");
        }
        return seen.size() == 1 ? *seen.begin() : "mixed";
    }
    // The screen a few frames on, once what a click changed is drawn.
    std::vector<std::uint8_t> ScreenAfterFrames(const std::string& png) {
        for (int i = 0; i < 5; ++i) session.Frame();
        return test::GameSession::Screen(png);
    }
    // The score's figures, right-aligned on the score window's right edge, in their gold.
    static bool ScoreDrawn(const std::vector<std::uint8_t>& rows) {
        if (!Find("score")) {
            ADD_FAILURE() << "no score";
            return false;
        }
        const math::Rect& score = Find("score")->GetAbsRect();
        const math::Rect figures(score.right - kScoreWidth, score.top, score.right, score.top + kScoreHeight);
        return test::GameSession::AnyPixel(rows, figures,
                                           [](int r, int g, int b) { return r > 200 && g > 160 && b < 150; });
    }
    // Whether the time bar shows its front at that share of its height from the top, rather than its dark
    // back: the front is red to green, the back deep blue.
    static bool TimeBarLit(const std::vector<std::uint8_t>& rows, float share) {
        const gui::Window* time = Find("time");
        if (!time) {
            ADD_FAILURE() << "no time bar";
            return false;
        }
        const math::Rect& bar = time->GetAbsRect();
        const float x = (bar.left + bar.right) / 2, y = bar.top + bar.Height() * share;
        return test::GameSession::AnyPixel(rows, math::Rect(x - 1, y - 1, x + 1, y + 1),
                                           [](int r, int g, int) { return std::max(r, g) > 120; });
    }

    // A ball near the top of the pool, so the praise it earns stands clear of the plates; on the first
    // level it takes the whole pool.
    void ClickPool(const Pool& pool) {
        const cm::Board& board = Board()->board;
        session.Click(CellCorner(math::Position(pool.column, 2)) +
                      math::Vector2(board.cell_width / 2, board.cell_height / 2));
    }
    // The screen point of a cell's top left corner.
    static math::Vector2 CellCorner(const math::Position& cell) {
        const cm::Board& board = Board()->board;
        const math::Rect area = Board()->GetAbsRect();
        return math::Vector2(area.left + board.cell_width * static_cast<float>(cell.x),
                             area.top + board.cell_height * static_cast<float>(cell.y));
    }
    static bool Settled() { return BallCount() == kFullBoard && !Board()->board.balls_moving; }
    static game::Users SavedPlayers() {
        game::Users::SetFilename(run->File("home/.Moravane/users.dat"));
        return game::Users();
    }

    static test::TempDir* run;
    test::GameSession session;
    std::set<unsigned int> scored;
    std::vector<unsigned int> shown_scores;
    std::vector<unsigned int> won_scores;
};

test::TempDir* WholeGame::run = nullptr;

TEST_F(WholeGame, ALevelWonFromTheMenuOrTheMapLeadsByNextToTheLevelAfterIt) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    session.watch = [this] { Watch(); };
    ASSERT_TRUE(session.Start(*run));

    ASSERT_TRUE(session.RunUntil([] { return Find("play") != nullptr; })) << "no main menu";
    session.ClickWindow("play");
    ASSERT_TRUE(session.RunUntil([] { return Board() && Board()->frame_count > 0; })) << "no game screen";
    EXPECT_EQ(Board()->level_id, 0u);
    EXPECT_TRUE(Find("back/picture")) << "the level's background";

    // Once the board is full, any ball takes its whole one-coloured pool with it.
    ASSERT_TRUE(session.RunUntil(Settled));
    // Ten minutes to play: the time bar stands full beside the board, the score shows its 0.
    const std::vector<std::uint8_t> playing = test::GameSession::Screen(run->File("playing.png"));
    EXPECT_TRUE(TimeBarLit(playing, 0.1f)) << "the time bar is not full";
    EXPECT_TRUE(ScoreDrawn(playing)) << "no score";
    EXPECT_EQ(Glow(playing, kPools[1]) + Glow(playing, kPools[2]), "")
        << "plates glow with most of them left";
    // The last plated cells glow as the pools are cleared: pale gold with fewer than ten left, orange with
    // fewer than four.
    ClickPool(kPools[0]);
    const std::vector<std::uint8_t> eight_left = ScreenAfterFrames(run->File("eight_plates_left.png"));
    EXPECT_EQ(Glow(eight_left, kPools[1]) + ", " + Glow(eight_left, kPools[2]), "pale, pale");
    ClickPool(kPools[1]);
    const std::vector<std::uint8_t> two_left = ScreenAfterFrames(run->File("two_plates_left.png"));
    EXPECT_EQ(Glow(two_left, kPools[2]), "orange");
    ClickPool(kPools[2]);
    ASSERT_TRUE(session.RunUntil([] { return Shown("win_panel"); })) << "no win panel";
    EXPECT_TRUE(Board()->board.won);
    // The bonus for the time left is counted up into the score in steps, not added at once.
    EXPECT_GE(won_scores.size(), 4u) << "the score at the win and at least three steps of the bonus";
    // The score rolls up to what the level scored.
    const auto* score = dynamic_cast<const gui::Number*>(Find("score"));
    ASSERT_TRUE(score);
    EXPECT_TRUE(session.RunUntil([score] {
        return score->GetShownValue() == core::Context::instance()->Get("game_score").as_uint32();
    })) << "the score never reached the level's";
    const std::vector<std::uint8_t> won_screen = test::GameSession::Screen(run->File("won.png"));
    EXPECT_GT(test::GameSession::ColoursShown(won_screen), 50u) << "the screen looks blank";
    EXPECT_TRUE(ScoreDrawn(won_screen)) << "no score";

    session.ClickWindow("win_panel/next");
    ASSERT_TRUE(session.RunUntil([] { return Board() && Board()->level_id == 1; })) << "Next led elsewhere";
    ASSERT_TRUE(session.RunUntil([] { return Shown("lose_panel"); })) << "no loss panel";
    EXPECT_FALSE(Board()->board.won);
    EXPECT_FALSE(TimeBarLit(test::GameSession::Screen(run->File("lost.png")), 0.95f))
        << "time is up, yet the bar shows some";

    // Two lines after the header, each with the score the screen showed at its end.
    const std::vector<std::string> lines =
        core::str_split(run->Read("home/.Moravane/playing_stat.csv"), "\r\n");
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "username;level_id;level_uid;level_revision;score;play_time;win");
    ASSERT_EQ(shown_scores.size(), 2u);
    EXPECT_GT(shown_scores[0], 0u);
    for (int level : {0, 1}) {
        // Level id, score and outcome of the line's eight fields (the last is empty).
        const std::vector<std::string> fields = core::str_split(lines[level + 1], ";");
        ASSERT_EQ(fields.size(), 8u);
        EXPECT_EQ((std::vector<std::string>{fields[1], fields[4], fields[6]}),
                  (std::vector<std::string>{std::to_string(level), std::to_string(shown_scores[level]),
                                            level == 0 ? "true" : "false"}));
    }

    // The progress reached the players file.
    const core::ptr<game::User> player = SavedPlayers().GetSelectedUser();
    ASSERT_TRUE(player);
    EXPECT_EQ(player->Get("max_level").as_uint32(), 1u);
    EXPECT_EQ(player->Get("last_level").as_uint32(), 0u);
    const std::string tokens = player->Get("tokens").as_string();

    // On the map the two levels reached are open, the third locked.
    session.ClickWindow("lose_panel/menu");
    ASSERT_TRUE(session.RunUntil([] { return Shown("play"); })) << "no main menu";
    session.ClickWindow("map");
    ASSERT_TRUE(session.RunUntil([] { return Shown("slot1"); })) << "no map";
    EXPECT_EQ((std::vector<bool>{Find("slot1")->IsEnabled(), Find("slot2")->IsEnabled(),
                                 Find("slot3")->IsEnabled()}),
              (std::vector<bool>{true, true, false}));
    // A click on the locked one leaves the map where it is.
    session.ClickWindow("slot3");
    session.ClickWindow("slot1");
    ASSERT_TRUE(session.RunUntil([] { return Board() && Board()->frame_count > 0; }))
        << "no game from the map";
    EXPECT_EQ(Board()->level_id, 0u);
    for (const Pool& pool : kPools) {
        ASSERT_TRUE(session.RunUntil(Settled));
        ClickPool(pool);
    }
    ASSERT_TRUE(session.RunUntil([] { return Shown("win_panel"); })) << "no win panel after the replay";
    session.ClickWindow("win_panel/next");
    ASSERT_TRUE(session.RunUntil([] { return Board() && Board()->frame_count > 0 && !Shown("win_panel"); }));
    EXPECT_EQ(Board()->level_id, 1u) << "Next after a replay led elsewhere";
    // A level won again pays no tokens.
    EXPECT_EQ(SavedPlayers().GetSelectedUser()->Get("tokens").as_string(), tokens);

    session.Exit();
    EXPECT_FALSE(session.IsRunning());
}

}  // namespace
