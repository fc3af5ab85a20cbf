// Every shipped level played on the real board by a simple player: once nothing moves and a second has
// passed since the last click, it clicks whatever the board would remove most of (a bonus ball counts as
// what it would remove), with no power-ups. Each level and seed prints one line, so the campaign's
// difficulty can be read off the test's output.

#include <gtest/gtest.h>
#include <tinyxml.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "Seaquell/board_helpers.h"
#include "Seaquell/ghost.h"
#include "effects/effect_kinds_fixture.h"
#include "support/temp_dir.h"
#include "vantle/core/random.h"
#include "vantle/game/levelset.h"
#include "vantle/game/users.h"
#include "vantle/io/loader.h"
#include "vantle/utils/config.h"

namespace {

const unsigned int kSeeds[] = {20261207, 7, 424242};
const unsigned int kFrame = 16;
const unsigned int kHour = 3600 * 1000;
const unsigned int kClickPause = 1000;
// Longer than an emission period: an emitter above an empty cell has sent its ball by then.
const unsigned int kStillTime = 150;
const float kCell = 10;
const int kFirstEpisode = 1;

struct Outcome {
    bool cleared = false;
    bool jammed = false;
    // Within the level's own time limit, extra time included.
    bool won = false;
    unsigned int seconds = 0;
    unsigned int clicks = 0;
    unsigned int plates_left = 0;
    // When the level's own limit ran out first: how far play had got then.
    unsigned int clicks_at_limit = 0;
    unsigned int plates_at_limit = 0;
};

struct Move {
    int x = 0;
    int y = 0;
    unsigned int reach = 0;
};

bool Still(const cm::Board& board) {
    if (!board.removers.empty() || !board.waves.empty() || board.reshuffle_running) return false;
    for (int x = 0; x < board.balls.width; ++x) {
        for (int y = 0; y < board.balls.height; ++y) {
            const core::ptr<cm::Ball>& ball = board.balls.Get(x, y);
            if (!ball) continue;
            if (ball->GetColor() == cm::Ghost::kColor || ball->target_col != x || ball->target_row != y)
                return false;
        }
    }
    return true;
}

void MarkAsked(const cm::Board& board, game::Board<bool>& asked) {
    for (int x = 0; x < board.balls.width; ++x) {
        for (int y = 0; y < board.balls.height; ++y) {
            if (board.remove_mask.Get(x, y)) asked.Set(x, y, true);
        }
    }
}

// What drawing a frame does to the balls: they move on in time, and the balls with timed actions act.
void UpdateBalls(cm::Board& board, unsigned int now) {
    for (int x = 0; x < board.balls.width; ++x) {
        for (int y = 0; y < board.balls.height; ++y) {
            // Held: an action may take the ball off the board.
            if (const core::ptr<cm::Ball> ball = board.balls.Get(x, y)) ball->Update(now);
        }
    }
}

math::Vector2 Centre(int x, int y) {
    return math::Vector2((static_cast<float>(x) + 0.5f) * kCell, (static_cast<float>(y) + 0.5f) * kCell);
}

// The board's own hover check at every ball. A group is asked once: the check marks it whole. Each check
// clears the marks of the one before.
Move LargestMove(cm::Board& board) {
    Move best;
    game::Board<bool> asked(board.balls.width, board.balls.height);
    for (int x = 0; x < board.balls.width; ++x) {
        for (int y = 0; y < board.balls.height; ++y) {
            const core::ptr<cm::Ball>& ball = board.balls.Get(x, y);
            if (!ball || asked.Get(x, y) || ball->GetColor() == cm::Token::kColor) continue;
            const bool bonus = ball->GetTypeName() != "default";
            board.cursor = Centre(x, y);
            board.preview = true;
            const bool group = board.HandleClickPosition(board.cursor, true);
            const unsigned int reach = group || bonus ? board.marked_count : 0;
            if (group && !bonus) MarkAsked(board, asked);
            if (reach > best.reach) best = {x, y, reach};
        }
    }
    cm::helpers::ClearGrid(board.remove_mask);
    board.preview = false;
    board.marked_count = board.locked_count = 0;
    return best;
}

std::string Describe(const Outcome& o, unsigned int limit) {
    char line[160];
    if (o.won)
        std::snprintf(line, sizeof line, "won in %u s, %u clicks", o.seconds, o.clicks);
    else if (o.cleared)
        std::snprintf(line, sizeof line,
                      "lost on time with %u plates left after %u clicks; cleared in %u s, %u clicks",
                      o.plates_at_limit, o.clicks_at_limit, o.seconds, o.clicks);
    else
        std::snprintf(line, sizeof line, "%s after %u s, %u clicks, %u plates left%s",
                      o.jammed ? "no move left" : "not cleared", o.seconds, o.clicks, o.plates_left,
                      o.seconds > limit ? " (lost on time before)" : "");
    return line;
}

class LevelPlay : public test::EffectKindsTest {
protected:
    static void SetUpTestSuite() {
        home = std::make_unique<test::TempDir>();
        home->Write("Moravane/.keep", "");
        utils::Config::SetFilename(home->File("Moravane/config.cfg"));
        game::Users::SetFilename(home->File("Moravane/users.dat"));
        io::Loader::instance()->AddSource(
            core::ptr<io::Loader::Source>(new io::FileSystemSource(SEAQUELL_SOURCE_DIR "/")));
        utils::Config::instance()->LoadDefaults("data/defaults.cfg");
        game::LevelSet::instance()->Load("data/levels.xml");
    }
    static void TearDownTestSuite() { home.reset(); }

    // The episode of each level, by uid, as the file groups them.
    static std::map<unsigned int, int> Episodes() {
        std::map<unsigned int, int> episodes;
        TiXmlDocument document(SEAQUELL_SOURCE_DIR "/data/levels.xml");
        if (!document.LoadFile()) return episodes;
        for (TiXmlElement* episode = document.RootElement()->FirstChildElement("episode"); episode;
             episode = episode->NextSiblingElement("episode")) {
            int id = 0;
            episode->QueryIntAttribute("id", &id);
            for (TiXmlElement* level = episode->FirstChildElement("level"); level;
                 level = level->NextSiblingElement("level")) {
                unsigned int uid = 0;
                level->QueryUnsignedAttribute("uid", &uid);
                episodes[uid] = id;
            }
        }
        return episodes;
    }

    // The level with its clock lifted to an hour, until it is cleared or no move is left.
    Outcome Play(const core::ptr<game::LevelSet::Level>& level, unsigned int seed) {
        core::Random::Seed(seed);
        clock.Start();
        cm::Board board(22, 16);
        board.cell_width = board.cell_height = kCell;
        board.factory.cell_size = math::Vector2(kCell, kCell);
        board.no_effects = true;
        board.LoadLevel(level);
        const unsigned int own_limit = board.time_limit;
        board.time_limit = kHour;
        Outcome o;
        bool limit_passed = false;
        unsigned int t = 0, last_click = 0, moving_at = 0;
        while (!board.finished) {
            board.Update();
            UpdateBalls(board, clock.Abs(t));
            const unsigned int extra = board.time_limit - kHour;
            if (!limit_passed && board.play_time > own_limit + extra) {
                limit_passed = true;
                o.clicks_at_limit = o.clicks;
                o.plates_at_limit = board.plates_left;
            }
            if (!Still(board)) moving_at = t;
            if (t - moving_at >= kStillTime && t - last_click >= kClickPause) {
                const Move move = LargestMove(board);
                if (move.reach == 0) {
                    o.jammed = true;
                    break;
                }
                board.MouseMove(Centre(move.x, move.y));
                board.Click(Centre(move.x, move.y));
                ++o.clicks;
                last_click = t;
            }
            clock.At(t += kFrame);
        }
        o.cleared = board.won;
        o.won = board.won && !limit_passed;
        o.seconds = board.play_time / 1000;
        o.plates_left = board.plates_left;
        return o;
    }

    static std::unique_ptr<test::TempDir> home;
};

std::unique_ptr<test::TempDir> LevelPlay::home;

TEST_F(LevelPlay, EveryLevelIsClearedAndWonInItsTimeBySomeSeedsOfASimplePlayer) {
    const std::map<unsigned int, int> episodes = Episodes();
    game::LevelSet* levels = game::LevelSet::instance();
    ASSERT_EQ(levels->GetLevelCount(), 12u);
    for (unsigned int i = 0; i < levels->GetLevelCount(); ++i) {
        const core::ptr<game::LevelSet::Level> level = levels->GetLevel(static_cast<int>(i));
        const int episode = episodes.count(level->uid) ? episodes.at(level->uid) : 0;
        const unsigned int limit = level->Get("time_limit").as_uint32();
        SCOPED_TRACE(level->name);
        unsigned int wins = 0;
        for (const unsigned int seed : kSeeds) {
            const Outcome o = Play(level, seed);
            std::printf("%2u %-14s (%d, %3u s) seed %8u: %s\n", i + 1, level->name.c_str(), episode, limit,
                        seed, Describe(o, limit).c_str());
            EXPECT_TRUE(o.cleared) << "seed " << seed;
            wins += o.won;
        }
        std::fflush(stdout);
        EXPECT_GE(wins, episode == kFirstEpisode ? 2u : 1u);
    }
}

}  // namespace
