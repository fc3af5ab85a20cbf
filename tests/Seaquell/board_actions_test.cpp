#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "effects/effect_kinds_fixture.h"
#include "put_ball.h"
#include "support/capture_log.h"
#include "support/probe_effect.h"
#include "support/temp_dir.h"
#include "vantle/core/random.h"
#include "vantle/utils/config.h"

namespace {

const math::Vector2 kCell(10, 10);
const unsigned int kHuge = 0xFFFFFFFFu;

// A root with one probe, so the board sees a loaded effect and its start shows in the journal.
core::ptr<effects::Effect> Probe(const std::string& name) {
    core::ptr<effects::Effect> root(new effects::Effect());
    root->AddChild(new test::ProbeEffect(name));
    return root;
}

class BoardActions : public test::EffectKindsTest {
protected:
    BoardActions() { utils::Config::SetFilename(dir.File("config.cfg")); }
    ~BoardActions() override { utils::Config::SetFilename(""); }

    void SetUp() override {
        EffectKindsTest::SetUp();
        cm::Board::Preload();
        cm::Board::remove_block0_effect = Probe("block0");
        cm::Board::remove_block_effect = Probe("block");
        cm::Board::remove_block_snd_effect = Probe("snd");
        cm::Board::remove_block_chain_snd_effect = Probe("chain");
        cm::Board::remove_block_chain2_snd_effect = Probe("chain2");
        cm::Board::recolor_effect = Probe("recolor");
        cm::Board::reshuffle_effect = Probe("reshuffle");
        cm::Board::reshuffle2_effect = Probe("reshuffle2");
        test::ProbeEffect::Journal().clear();
    }

    // A fresh board from rows of map codes joined by "/": "0" an empty cell, "T" a token, "G" a ghost.
    cm::Board& Make(const std::string& rows) {
        const size_t width = rows.find('/') == std::string::npos ? rows.size() : rows.find('/');
        const int height = static_cast<int>((rows.size() + 1) / (width + 1));
        board =
            std::make_unique<cm::Board>(static_cast<unsigned int>(width), static_cast<unsigned int>(height));
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < static_cast<int>(width); ++x)
                Put(rows[static_cast<size_t>(y) * (width + 1) + x], x, y);
        }
        return *board;
    }

    // A board of that size with the code in every cell.
    cm::Board& Full(int width, int height, char code) {
        std::string rows;
        for (int y = 0; y < height; ++y)
            rows += (y ? "/" : "") + std::string(static_cast<size_t>(width), code);
        return Make(rows);
    }

    core::ptr<cm::Ball> Put(char code, int x, int y) { return test::PutBall(*board, code, x, y, kCell); }

    // Rows joined by "/": "#" for a marked cell (marks) or a ghost, else the cell's map code, "." when empty.
    std::string Picture(bool marks = false) const {
        std::string text;
        for (int y = 0; y < board->balls.height; ++y) {
            if (y) text += "/";
            for (int x = 0; x < board->balls.width; ++x) {
                const core::ptr<cm::Ball>& ball = board->balls.Get(x, y);
                const unsigned int color = ball ? ball->GetColor() : 0;
                text += marks                                   ? (board->remove_mask.Get(x, y) ? '#' : '.')
                        : !ball                                 ? '.'
                        : color <= 8                            ? static_cast<char>('0' + color)
                        : color == cm::Token::kColor            ? 'T'
                        : color == cm::Ghost::kColor            ? '#'
                        : ball->GetTypeName() == "remove_block" ? 'b'
                                                                : '?';
            }
        }
        return text;
    }

    // Only the ghosts, as "#".
    std::string Ghosts() const {
        std::string text = Picture();
        for (char& c : text) c = c == '#' || c == '/' ? c : '.';
        return text;
    }

    // The probes started since the last call.
    static std::vector<std::string> Started() {
        std::vector<std::string> started;
        for (const std::string& line : test::ProbeEffect::Journal()) {
            if (line.rfind("start ", 0) == 0) started.push_back(line.substr(6));
        }
        test::ProbeEffect::Journal().clear();
        return started;
    }

    // Steps the removers and waves until both lists are empty.
    void RunOut() {
        for (int step = 0; step < 100 && (!board->removers.empty() || !board->waves.empty()); ++step) {
            board->UpdateRemovers();
            board->UpdateWaves();
        }
    }

    test::TempDir dir;
    std::unique_ptr<cm::Board> board;
};

TEST_F(BoardActions, EachActionMarksInPreviewWhatItThenRemoves) {
    using Act = void (*)(cm::Board&);
    struct Case {
        const char* name;
        const char* start;
        Act act;
        const char* reach;
    };
    const char* full = "11111/11111/11111/11111";
    const Case cases[] = {
        {"a row", full, [](cm::Board& b) { b.RemoveRow(2, 1, 0); }, "...../#####/...../....."},
        {"a band from the top row", full, [](cm::Board& b) { b.RemoveRow(2, 0, 1); },
         "#####/#####/...../....."},
        {"a band past the last row", full, [](cm::Board& b) { b.RemoveRow(2, 3, 1); },
         "...../...../...../....."},
        {"a band wider than the grid", full, [](cm::Board& b) { b.RemoveRow(2, 1, kHuge); },
         "...../...../...../....."},
        {"a column band of 2 from 1", full, [](cm::Board& b) { b.RemoveColumn(1, 1, 2); },
         ".###./.###./.###./.###."},
        {"a cross", full, [](cm::Board& b) { b.RemoveCross(1, 2); }, ".#.../.#.../#####/.#..."},
        {"a cross on an empty column", "10111/10111/10111/10111", [](cm::Board& b) { b.RemoveCross(1, 2); },
         "...../...../#.###/....."},
        {"both diagonals", full, [](cm::Board& b) { b.RemoveDiagonalCross(1, 1); },
         "#.#../.#.../#.#../...#."},
        {"the rising diagonal", full, [](cm::Board& b) { b.RemoveDiagonalLeft(1, 2, 0); },
         "...#./..#../.#.../#...."},
        {"the falling diagonal", full, [](cm::Board& b) { b.RemoveDiagonalRight(1, 2, 0); },
         "...../#..../.#.../..#.."},
        {"a corner block", full, [](cm::Board& b) { b.RemoveBlock(0, 0, 1, true); },
         "##.../##.../...../....."},
        {"a block wider than the grid", full, [](cm::Board& b) { b.RemoveBlock(2, 1, kHuge, true); },
         "#####/#####/#####/#####"},
        {"extra time", full, [](cm::Board& b) { b.AddTime(3, 3); }, "...../...../...../...#."},
        {"a colour", "12121/22222/22222/22221", [](cm::Board& b) { b.RemoveColor(2, 0); },
         "#.#.#/...../...../....#"},
        {"a colour from a bad ball", "a2121/22222/22222/22221",
         [](cm::Board& b) { b.action = true, b.RemoveColor(0, 0); }, "...../...../...../....."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make(c.start).preview = true;
        c.act(*board);
        EXPECT_EQ(Picture(true), c.reach);
        EXPECT_FALSE(board->action || !board->removers.empty()) << "a preview changes nothing";

        Make(c.start);
        c.act(*board);
        EXPECT_EQ(board->action, std::string(c.reach).find('#') != std::string::npos);
        RunOut();
        EXPECT_EQ(Ghosts(), c.reach);
    }
    Full(2, 2, '1').back_board.Get(0, 0).plate = 3;
    board->RestorePlate(math::Position(0, 0));
    EXPECT_EQ(board->back_board.Get(0, 0).plate, 3);
    board->AddTime(0, 0);
    board->AddTime(1, 1);
    EXPECT_EQ(board->time_limit, cm::Board::kDefaultTimeLimit + 20000);
    EXPECT_EQ(board->score, 20u);
}

TEST_F(BoardActions, ARowBallEmptiesItsRowOneCellAStepEachWayAndTheLastStepRunsTheCheck) {
    struct Step {
        int step;
        size_t removers;
        const char* row;
    };
    const Step steps[] = {
        {0, 2, ".....#................"},  {1, 2, "....###..............."},
        {5, 2, "###########..........."},  {6, 1, "############.........."},
        {16, 1, "######################"}, {17, 0, "######################"},
    };
    Full(22, 16, '1');
    Put('e', 5, 3)->OnClick(board.get());
    int done = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE("step " + std::to_string(step.step));
        for (; done < step.step; ++done) board->UpdateRemovers();
        EXPECT_EQ(board->removers.size(), step.removers);
        EXPECT_EQ(Ghosts().substr(3 * 23, 22), step.row);
        // Without plates the check after the last step wins the level.
        EXPECT_EQ(board->finished, step.removers == 0) << "the check after the change";
    }
    EXPECT_EQ(board->score, 220u);
}

TEST_F(BoardActions, ARemoverSetsOffTheBonusBallItReachesWhoseRemoversMoveInTheSameStep) {
    Full(9, 5, '1');
    Put('c', 7, 3);
    Put('e', 5, 3)->OnClick(board.get());
    board->UpdateRemovers();
    board->UpdateRemovers();
    EXPECT_EQ(Ghosts(), "........./........./.......#./...#####./.......#.");
    // The column ball's own removal and the remover's both score.
    EXPECT_EQ(board->score, 80u);
}

// What `walks` block removals start when the chain has grown past one by the time each sounds.
std::vector<std::string> LongChain(int walks) {
    std::vector<std::string> started;
    for (int i = 0; i < walks; ++i) started.insert(started.end(), {"block", "chain2"});
    return started;
}

TEST_F(BoardActions, ABlockSetsOffTheBlocksInItsSquareAndEachSoundsTheChainLength) {
    struct Case {
        const char* start;
        std::vector<std::string> started;
        const char* taken;
        unsigned int score;
    };
    const Case cases[] = {
        {"111111/11b111/111111", {"block", "snd"}, ".###../.###../.###..", 90},
        {"111111/11bb11/111111", {"block", "chain", "block", "chain"}, ".####./.####./.####.", 180},
        // The block set off walks past its own cell before it reaches the clicked one, whose ball is still
        // there: the clicked block goes off a second time, and its second walk finds the first a ghost.
        {"111111/1bb111/111111", LongChain(3), "####../####../####..", 270},
        {"111111/11bbb1/111111", LongChain(3), ".#####/.#####/.#####", 270},
        // Four blocks inside each other's squares, and a 5 by 5 cluster of them: the walks end.
        {"1111/1bb1/1bb1/1111", LongChain(5), "####/####/####/####", 450},
        {"1111111/1bbbbb1/1bbbbb1/1bbbbb1/1bbbbb1/1bbbbb1/1111111", LongChain(38),
         "#######/#######/#######/#######/#######/#######/#######", 3420},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        Make(c.start).balls.Get(2, 1)->OnClick(board.get());
        EXPECT_EQ(Ghosts(), c.taken);
        EXPECT_EQ(Started(), c.started);
        EXPECT_EQ(board->score, c.score);
        EXPECT_TRUE(board->action);
    }
}

TEST_F(BoardActions, AColourWaveTakesItsTargetsRingByRingAndEndsTheStepAfterItsLastRing) {
    struct Step {
        int step;
        const char* taken;  // (0, 0), (3, 1), (21, 15)
        size_t waves;
    };
    const Step steps[] = {{1, "#..", 1},  {3, "#..", 1},  {4, "##.", 1},
                          {21, "##.", 1}, {22, "###", 1}, {23, "###", 0}};
    Full(22, 16, '2');
    Put('1', 0, 0);
    Put('1', 3, 1);
    Put('1', 21, 15);
    board->RemoveColor(0, 0);
    EXPECT_TRUE(board->action);
    int done = 0;
    for (const Step& step : steps) {
        SCOPED_TRACE("step " + std::to_string(step.step));
        for (; done < step.step; ++done) board->UpdateWaves();
        const std::string ghosts = Ghosts();
        EXPECT_EQ(std::string() + ghosts[0] + ghosts[23 + 3] + ghosts[15 * 23 + 21], step.taken);
        EXPECT_EQ(board->waves.size(), step.waves);
        EXPECT_EQ(board->won, step.waves == 0) << "the check after the change";
    }
    EXPECT_EQ(board->score, 30u);
}

TEST_F(BoardActions, RecolouringTakesTheSquareButTokensAndNothingFromABonusBall) {
    struct Case {
        const char* name;
        const char* start;
        unsigned int x, y, h;
        const char* after;
        unsigned int marks;
    };
    const Case cases[] = {
        {"the corner", "1234/5T67/2222", 0, 0, 1, "1134/1T67/2222", 3},
        {"a bonus ball", "e234/5T67/2222", 0, 0, 1, "?234/5T67/2222", 0},
        {"bonus balls and ghosts inside", "123e/5T67/2G22", 2, 1, 1, "1666/5T66/2666", 8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Make(c.start).preview = true;
        board->Recolor(c.x, c.y, c.h);
        EXPECT_EQ(board->marked_count, c.marks);
        board->preview = false;
        board->balls.Get(1, 0)->locked = true;
        board->Recolor(c.x, c.y, c.h);
        EXPECT_EQ(Picture(), c.after);
        EXPECT_EQ(board->action, c.marks > 0);
        EXPECT_TRUE(board->balls.Get(1, 0)->locked) << "a lock stays on the new ball";
        EXPECT_EQ(Started(), std::vector<std::string>{"recolor"});
    }
}

TEST_F(BoardActions, AReshuffleSortsTheFreeColourBallsOfItsSquareByColourInReadingOrder) {
    struct Case {
        unsigned int x, y, h;
        std::vector<std::string> moves;
        std::vector<std::string> started;
    };
    // Locked 5s, a bonus ball, and the free 3, 1, 3, 2 in reading order.
    const std::vector<std::string> sorted = {"1@0,0", "2@1,0", "3@2,1", "3@3,1"};
    const Case cases[] = {
        {3, 0, 3, sorted, {"reshuffle"}}, {3, 0, 4, sorted, {"reshuffle2"}}, {2, 0, 3, {}, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.x) + "," + std::to_string(c.y) + " h " + std::to_string(c.h));
        Make("31e5/5532");
        for (const int x : {3, 0, 1}) board->balls.Get(x, x == 3 ? 0 : 1)->locked = true;
        board->preview = true;
        board->Reshuffle(c.x, c.y, c.h);
        EXPECT_EQ(board->marked_count, c.moves.size());
        board->preview = false;
        board->Reshuffle(c.x, c.y, c.h);
        std::vector<std::string> moves;
        for (const core::ptr<cm::Ball>& ball : board->reshuffled_balls) {
            moves.push_back(std::to_string(ball->GetColor()) + "@" + std::to_string(ball->target_col) + "," +
                            std::to_string(ball->target_row));
        }
        EXPECT_EQ(moves, c.moves);
        EXPECT_EQ(board->reshuffle_running && board->action, !c.moves.empty());
        EXPECT_EQ(Started(), c.started);
    }
}

TEST_F(BoardActions, RandomBlocksAndBombsHitOnlyExistingCellsWithBallsAndNothingWhenThereAreNone) {
    struct Case {
        const char* start;
        bool bombs;
        const char* taken;
    };
    // Cell (1, 1) is a hole; every other cell of the two full boards is hit in a hundred draws.
    const Case cases[] = {
        {"111/111", true, "bbb/b1b"},
        {"111/111", false, "###/#1#"},
        {"000/000", true, ".../..."},
        {"000/010", false, ".../.1."},
    };
    core::Random::Seed(7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.start);
        Make(c.start).back_board.Get(1, 1).exists = false;
        c.bombs ? board->InsertRandomBombs(100) : board->RemoveRandomBlocks(100);
        EXPECT_EQ(board->waves.size(), 1u);
        RunOut();
        EXPECT_EQ(Picture(), c.taken);
        EXPECT_TRUE(board->won) << "the check after the change";
    }
}

TEST_F(BoardActions, RandomActionsDrawTheirStartThenEachTargetColumnFirstUntilItHoldsABall) {
    core::Random* random = core::Random::instance();
    for (const bool bombs : {false, true}) {
        SCOPED_TRACE(bombs ? "bombs" : "blocks");
        Make("000/001");
        // The draws the board is to make: the start, then cells until the one ball's comes up.
        core::Random::Seed(11);
        const int start_x = random->GetInt(0, 2);
        const int start_y = random->GetInt(0, 1);
        int draws = 0;
        for (bool hit = false; !hit; ++draws) {
            const int x = random->GetInt(0, 2);
            const int y = random->GetInt(0, 1);
            hit = x == 2 && y == 1;
        }
        const int next = random->GetInt(0, 1 << 30);

        core::Random::Seed(11);
        bombs ? board->InsertRandomBombs(1) : board->RemoveRandomBlocks(1);
        ASSERT_EQ(board->waves.size(), 1u);
        EXPECT_EQ(board->waves.front().x, static_cast<unsigned int>(start_x));
        EXPECT_EQ(board->waves.front().y, static_cast<unsigned int>(start_y));
        EXPECT_EQ(board->waves.front().target->Get(2, 1), 1u);
        EXPECT_EQ(random->GetInt(0, 1 << 30), next) << "after " << draws << " target draws";
    }
    // A count from a damaged power-up table is cut short with a log line.
    test::CaptureLog log;
    board->RemoveRandomBlocks(kHuge);
    EXPECT_TRUE(log.Contains("random targets asked for"));
}

}  // namespace
