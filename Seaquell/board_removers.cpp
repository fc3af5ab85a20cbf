#include <algorithm>
#include <cstdint>
#include <vector>

#include "Seaquell/board.h"
#include "vantle/core/log.h"

namespace cm {

namespace {

struct Step {
    int dx;
    int dy;
};

const Step kRowSteps[] = {{1, 0}, {-1, 0}};
const Step kColumnSteps[] = {{0, 1}, {0, -1}};
const Step kCrossSteps[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
const Step kDiagonalCrossSteps[] = {{-1, -1}, {1, 1}, {1, -1}, {-1, 1}};
const Step kRisingSteps[] = {{1, -1}, {-1, 1}};
const Step kFallingSteps[] = {{-1, -1}, {1, 1}};

const unsigned int kExtraTime = 10000;

// The effect for a band of half-width h: one, three, or five and more lines.
const core::ptr<effects::Effect>& ByHalfWidth(unsigned int h, const core::ptr<effects::Effect>& narrow,
                                              const core::ptr<effects::Effect>& middle,
                                              const core::ptr<effects::Effect>& wide) {
    return h == 0 ? narrow : h == 1 ? middle : wide;
}

const core::ptr<effects::Effect>& BlockSound(unsigned int h) {
    if (Board::chain == 1) return Board::remove_block_chain_snd_effect;
    if (Board::chain >= 2) return Board::remove_block_chain2_snd_effect;
    return ByHalfWidth(h, Board::remove_block0_snd_effect, Board::remove_block_snd_effect,
                       Board::remove_block2_snd_effect);
}

// The first and last line of a band of half-width h around c, or false when it reaches past the grid's
// far edge. Computed in 64 bits: a half-width larger than the grid must not wrap round into range.
bool Band(unsigned int c, unsigned int h, int size, unsigned int& first, unsigned int& last) {
    const std::uint64_t end = static_cast<std::uint64_t>(c) + h;
    if (end >= static_cast<std::uint64_t>(std::max(size, 0))) return false;
    first = h <= c ? c - h : c;
    last = static_cast<unsigned int>(end);
    return true;
}

// The lines from c - h to c + h that lie on a grid of that size, as a half-open range.
void Square(unsigned int c, unsigned int h, int size, int& from, int& to) {
    from = static_cast<int>(std::max<std::int64_t>(0, static_cast<std::int64_t>(c) - h));
    to = static_cast<int>(std::min<std::int64_t>(size, static_cast<std::int64_t>(c) + h + 1));
}

// Marks every ball on the rays from (x, y), or removes the start cell and sends one remover along each.
template <size_t N>
void SendRemovers(Board& board, unsigned int x, unsigned int y, const Step (&steps)[N]) {
    if (!board.preview) {
        board.PerformSingleRemove(x, y, true);
        for (const Step& step : steps)
            board.removers.push_back({static_cast<int>(x), static_cast<int>(y), step.dx, step.dy});
        return;
    }
    for (const Step& step : steps) {
        for (int cx = static_cast<int>(x), cy = static_cast<int>(y); board.balls.Contains(cx, cy);
             cx += step.dx, cy += step.dy) {
            if (board.balls.Get(cx, cy))
                board.MarkToRemove(static_cast<unsigned int>(cx), static_cast<unsigned int>(cy));
        }
    }
}

// A line action's start: false, after a log line, when (x, y) is off the grid.
bool StartLine(Board& board, unsigned int x, unsigned int y, const core::ptr<effects::Effect>& effect) {
    if (!board.balls.Contains(static_cast<int>(x), static_cast<int>(y))) {
        core::Log::instance()->Write("Board: no cell at %u, %u for a line removal", x, y);
        return false;
    }
    if (!board.preview) {
        board.action = true;
        board.StartEffect(math::Position(static_cast<int>(x), static_cast<int>(y)), effect);
    }
    return true;
}

}  // namespace

void Board::RemoveRow(unsigned int x, unsigned int y, unsigned int h) {
    unsigned int first = 0;
    unsigned int last = 0;
    if (!Band(y, h, balls.height, first, last)) return;
    if (!StartLine(*this, x, y, ByHalfWidth(h, remove_row_effect, remove_row2_effect, remove_row3_effect)))
        return;
    for (unsigned int r = first; r <= last; ++r) SendRemovers(*this, x, r, kRowSteps);
}

void Board::RemoveColumn(unsigned int x, unsigned int y, unsigned int h) {
    unsigned int first = 0;
    unsigned int last = 0;
    if (!Band(x, h, balls.width, first, last)) return;
    if (!StartLine(*this, x, y, ByHalfWidth(h, remove_col_effect, remove_col2_effect, remove_col3_effect)))
        return;
    for (unsigned int c = first; c <= last; ++c) SendRemovers(*this, c, y, kColumnSteps);
}

void Board::RemoveCross(unsigned int x, unsigned int y) {
    if (StartLine(*this, x, y, remove_cross_effect)) SendRemovers(*this, x, y, kCrossSteps);
}

void Board::RemoveDiagonalCross(unsigned int x, unsigned int y) {
    if (StartLine(*this, x, y, remove_diag_cross_effect)) SendRemovers(*this, x, y, kDiagonalCrossSteps);
}

void Board::RemoveDiagonalLeft(unsigned int x, unsigned int y, unsigned int) {
    if (StartLine(*this, x, y, remove_diag_left_effect)) SendRemovers(*this, x, y, kRisingSteps);
}

void Board::RemoveDiagonalRight(unsigned int x, unsigned int y, unsigned int) {
    if (StartLine(*this, x, y, remove_diag_right_effect)) SendRemovers(*this, x, y, kFallingSteps);
}

void Board::RemoveBlock(unsigned int x, unsigned int y, unsigned int h, bool direct) {
    chain = direct ? 0 : chain + 1;
    const int cx0 = static_cast<int>(x);
    const int cy0 = static_cast<int>(y);
    // Every square is walked in the same order, so two blocks cannot keep setting each other off: one
    // of them lies first, and its ball is gone before the other's walk comes back to it.
    int left = 0, right = 0, top = 0, bottom = 0;
    Square(x, h, balls.width, left, right);
    Square(y, h, balls.height, top, bottom);
    for (int cx = left; cx < right; ++cx) {
        for (int cy = top; cy < bottom; ++cy) {
            if (!balls.Get(cx, cy)) continue;
            if (preview) {
                MarkToRemove(cx, cy);
                continue;
            }
            action = true;
            PerformSingleRemove(cx, cy, cx == cx0 && cy == cy0);
        }
    }
    if (preview) return;
    const math::Position centre(cx0, cy0);
    StartEffect(centre, ByHalfWidth(h, remove_block0_effect, remove_block_effect, remove_block2_effect));
    StartEffect(centre, BlockSound(h));
}

void Board::AddTime(unsigned int x, unsigned int y) {
    const int cx = static_cast<int>(x);
    const int cy = static_cast<int>(y);
    if (!balls.Contains(cx, cy)) return;
    if (preview) {
        if (balls.Get(cx, cy)) MarkToRemove(x, y);
        return;
    }
    action = true;
    time_limit += kExtraTime;
    PerformSingleRemove(x, y, true);
    StartEffect(math::Position(cx, cy), remove_add_time_effect);
}

void Board::UpdateRemovers() {
    if (removers.empty()) return;
    std::vector<std::list<Remover>::iterator> finished_removers;
    // Removers that a reached bonus ball appends are visited in this same walk.
    for (auto it = removers.begin(); it != removers.end(); ++it) {
        const int nx = it->x + it->dx;
        const int ny = it->y + it->dy;
        if (!balls.Contains(nx, ny)) {
            finished_removers.push_back(it);
            continue;
        }
        it->x = nx;
        it->y = ny;
        if (balls.Get(nx, ny))
            PerformSingleRemove(static_cast<unsigned int>(nx), static_cast<unsigned int>(ny), false);
    }
    for (const auto& it : finished_removers) removers.erase(it);
    if (removers.empty()) OnChanges();
}

}  // namespace cm
