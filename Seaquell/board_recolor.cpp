#include <algorithm>
#include <cstdint>
#include <set>
#include <vector>

#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "vantle/core/log.h"
#include "vantle/utils/timer.h"

namespace cm {

namespace {

// Colours above this are bonus balls, tokens and ghosts.
const unsigned int kLastPlainColor = 10;
const int kTopPlate = 3;

// The cells of the square of half-width h around (x, y) that lie on the grid.
struct Square {
    Square(const game::Board<core::ptr<Ball>>& grid, unsigned int x, unsigned int y, unsigned int h)
        : left(Clamp(x, h, -1, grid.width)),
          right(Clamp(x, h, 1, grid.width)),
          top(Clamp(y, h, -1, grid.height)),
          bottom(Clamp(y, h, 1, grid.height)) {}

    // c - h, or c + h + 1 for the far edge, kept within 0 and size.
    static int Clamp(unsigned int c, unsigned int h, int side, int size) {
        const std::int64_t edge =
            static_cast<std::int64_t>(c) + side * static_cast<std::int64_t>(h) + (side > 0 ? 1 : 0);
        return static_cast<int>(std::clamp<std::int64_t>(edge, 0, std::max(size, 0)));
    }

    int left, right, top, bottom;
};

// The ball at (x, y) when it is a plain colour ball; empty otherwise, and for a cell off the grid.
core::ptr<Ball> PlainBallAt(const Board& board, unsigned int x, unsigned int y) {
    if (!board.balls.Contains(static_cast<int>(x), static_cast<int>(y))) return nullptr;
    const core::ptr<Ball>& ball = board.balls.Get(static_cast<int>(x), static_cast<int>(y));
    return ball && ball->GetColor() <= kLastPlainColor ? ball : nullptr;
}

const core::ptr<effects::Effect>* RecolorEffect(unsigned int h) {
    switch (h) {
        case 1:
            return &Board::recolor_effect;
        case 2:
            return &Board::recolor2_effect;
        case 3:
            return &Board::recolor3_effect;
        default:
            return nullptr;
    }
}

const core::ptr<effects::Effect>* ReshuffleEffect(unsigned int h) {
    switch (h) {
        case 3:
            return &Board::reshuffle_effect;
        case 4:
            return &Board::reshuffle2_effect;
        case 5:
            return &Board::reshuffle3_effect;
        default:
            return nullptr;
    }
}

bool Reshuffles(const core::ptr<Ball>& ball) {
    return ball && !ball->locked && ball->GetColor() < kLastPlainColor;
}

}  // namespace

void Board::Recolor(unsigned int x, unsigned int y, unsigned int h) {
    action = false;
    const math::Position clicked(static_cast<int>(x), static_cast<int>(y));
    if (const core::ptr<effects::Effect>* effect = RecolorEffect(h)) StartEffect(clicked, *effect);
    const core::ptr<Ball> model = PlainBallAt(*this, x, y);
    if (!model) return;
    const Square square(balls, x, y, h);
    for (int cx = square.left; cx < square.right; ++cx) {
        for (int cy = square.top; cy < square.bottom; ++cy) {
            const core::ptr<Ball> old = balls.Get(cx, cy);
            if (!old || old->GetColor() == Token::kColor) continue;
            if (preview) {
                MarkToRemove(static_cast<unsigned int>(cx), static_cast<unsigned int>(cy));
                continue;
            }
            const core::ptr<Ball> ball = factory.CreateBall(model->GetColor());
            if (!ball) continue;
            action = true;
            ball->MoveTo(cx, cy);
            ball->target_col = cx;
            ball->target_row = cy;
            StartEffect(math::Position(cx, cy), recolor_cell_effect);
            ball->locked = old->locked;
            balls.Set(cx, cy, ball);
        }
    }
}

void Board::Reshuffle(unsigned int x, unsigned int y, unsigned int h) {
    action = false;
    if (!PlainBallAt(*this, x, y)) return;
    const Square square(balls, x, y, h);
    std::vector<math::Position> cells;
    std::set<unsigned int> colors;
    // Reading order: row by row from the top, each from the left.
    for (int cy = square.top; cy < square.bottom; ++cy) {
        for (int cx = square.left; cx < square.right; ++cx) {
            const core::ptr<Ball>& ball = balls.Get(cx, cy);
            if (!Reshuffles(ball)) continue;
            if (preview) MarkToRemove(static_cast<unsigned int>(cx), static_cast<unsigned int>(cy));
            cells.push_back(math::Position(cx, cy));
            colors.insert(ball->GetColor());
        }
    }
    if (preview) return;
    if (const core::ptr<effects::Effect>* effect = ReshuffleEffect(h))
        StartEffect(math::Position(static_cast<int>(x), static_cast<int>(y)), *effect);

    // Runs of equal colour, lowest first, laid into the eligible cells in reading order.
    reshuffled_balls.clear();
    auto next = cells.begin();
    for (const unsigned int color : colors) {
        for (const math::Position& cell : cells) {
            const core::ptr<Ball>& ball = balls.Get(cell.x, cell.y);
            if (ball->GetColor() != color) continue;
            ball->target_col = next->x;
            ball->target_row = next->y;
            ++next;
            reshuffled_balls.push_back(ball);
        }
    }
    reshuffle_running = true;
    action = true;
    reshuffle_start = utils::Timer::instance()->GetTime();
}

void Board::RestorePlate(const math::Position& cell) {
    if (!back_board.Contains(cell.x, cell.y)) {
        core::Log::instance()->Write("Board: no cell at %d, %d to restore a plate on", cell.x, cell.y);
        return;
    }
    BoardCell& floor = back_board.Get(cell.x, cell.y);
    // No ball ever rests in a hole or on an emitter: a plate there could never be taken, and the level never
    // won.
    if (!floor.exists || floor.emitter) return;
    if (floor.plate < kTopPlate) ++floor.plate;
    StartEffect(cell, restore_plate_effect);
}

}  // namespace cm
