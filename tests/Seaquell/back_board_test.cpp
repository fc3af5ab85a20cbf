#include "Seaquell/back_board.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Expected {
    bool exists;
    bool emitter;
    int plate;
};

// Checks every cell of the board against the expectations, listed row by row.
void ExpectCells(const cm::BackBoard& board, const std::vector<Expected>& cells) {
    ASSERT_EQ(cells.size(), static_cast<size_t>(board.width * board.height));
    for (int y = 0; y < board.height; ++y) {
        for (int x = 0; x < board.width; ++x) {
            SCOPED_TRACE("cell (" + std::to_string(x) + ", " + std::to_string(y) + ")");
            const cm::BoardCell& cell = board.Get(x, y);
            const Expected& expected = cells[static_cast<size_t>(x + y * board.width)];
            EXPECT_EQ(cell.col, static_cast<unsigned int>(x));
            EXPECT_EQ(cell.row, static_cast<unsigned int>(y));
            EXPECT_EQ(cell.exists, expected.exists);
            EXPECT_EQ(cell.emitter, expected.emitter);
            EXPECT_EQ(cell.plate, expected.plate);
            EXPECT_EQ(cell.fall, math::Position(0, 1));
        }
    }
}

const Expected kHole{false, false, 0};

TEST(BackBoard, MapLayersGiveHolesEmittersAndPlatesRowByRow) {
    cm::BackBoard board(3, 2);
    // Any character but "0" exists or emits; plates know only "1" to "3".
    board.Load("1x0102;010000;3a4210");
    ExpectCells(board, {{true, false, 3},
                        {true, true, 0},
                        {false, false, 0},
                        {true, false, 2},
                        {false, false, 1},
                        {true, false, 0}});
}

// Each map is loaded over a full one whose cells were changed, so nothing of the first may be left.
TEST(BackBoard, MissingLayersAndCharactersReadAsZero) {
    struct Case {
        const char* map;
        std::vector<Expected> cells;
    };
    const Case cases[] = {
        {"", {kHole, kHole, kHole, kHole}},
        {"11", {{true, false, 0}, {true, false, 0}, kHole, kHole}},
        {"1111;1", {{true, true, 0}, {true, false, 0}, {true, false, 0}, {true, false, 0}}},
        {"1111;0000", {{true, false, 0}, {true, false, 0}, {true, false, 0}, {true, false, 0}}},
        {"1111;0000;3", {{true, false, 3}, {true, false, 0}, {true, false, 0}, {true, false, 0}}},
        {";;;", {kHole, kHole, kHole, kHole}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("map \"") + c.map + "\"");
        cm::BackBoard board(2, 2);
        board.Load("1111;1111;3333");
        board.Get(1, 0).fall = math::Position(1, 0);
        board.Load(c.map);
        ExpectCells(board, c.cells);
    }
}

}  // namespace
