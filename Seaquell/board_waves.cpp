#include <vector>

#include "Seaquell/board.h"
#include "vantle/core/log.h"
#include "vantle/core/random.h"
#include "vantle/game/current_powerup_set.h"
#include "vantle/utils/timer.h"

namespace cm {

namespace {

enum WaveState : unsigned int { kUntouched = 0, kFront = 1, kDone = 2, kNextFront = 3 };

// The map character of the block ball that an insertion wave drops.
const char kBombCode = 'b';

core::ptr<game::Board<unsigned int>> NewGrid(const Board* board) {
    const int width = board ? board->balls.width : 0;
    const int height = board ? board->balls.height : 0;
    return core::ptr<game::Board<unsigned int>>(new game::Board<unsigned int>(width, height));
}

bool IsRefusedColor(unsigned int color) {
    return color == BallFactory::B_BADBALL || color == BallFactory::B_REPLATER ||
           color == BallFactory::B_MAKEBADBALLS;
}

int RandomUpTo(int size) {
    return core::Random::instance()->GetInt(0, size - 1);
}

// Targets a damaged power-up table could ask for; more would only repeat cells already drawn.
const unsigned int kMaxRandomTargets = 10000;

// A column, then a row.
math::Position RandomCell(const Board& board) {
    const int x = RandomUpTo(board.balls.width);
    const int y = RandomUpTo(board.balls.height);
    return math::Position(x, y);
}

bool IsTarget(const Board& board, const math::Position& cell) {
    return board.back_board.Get(cell.x, cell.y).exists && board.balls.Get(cell.x, cell.y);
}

bool HasTarget(const Board& board) {
    for (int x = 0; x < board.balls.width; ++x) {
        for (int y = 0; y < board.balls.height; ++y) {
            if (IsTarget(board, math::Position(x, y))) return true;
        }
    }
    return false;
}

// Draws count cells, each drawn again until it is an existing cell holding a ball. A board without such a
// cell gets no target, since the draw would never end.
void DrawTargets(const Board& board, Board::Wave& wave, unsigned int count) {
    if (!HasTarget(board)) return;
    if (count > kMaxRandomTargets) {
        core::Log::instance()->Write("Board: %u random targets asked for, %u drawn", count,
                                     kMaxRandomTargets);
        count = kMaxRandomTargets;
    }
    for (unsigned int i = 0; i < count; ++i) {
        math::Position cell = RandomCell(board);
        while (!IsTarget(board, cell)) cell = RandomCell(board);
        wave.target->Set(cell.x, cell.y, 1);
    }
}

// A wave from a random cell, its effect started there before the targets are drawn.
Board::Wave RandomWave(Board& board, const core::ptr<effects::Effect>& effect, unsigned int count) {
    const math::Position start = RandomCell(board);
    Board::Wave wave(static_cast<unsigned int>(start.x), static_cast<unsigned int>(start.y), &board);
    board.StartEffect(start, effect);
    DrawTargets(board, wave, count);
    return wave;
}

// The option "count" of the current set's power-up of that name; nothing when the set lacks it.
bool PowerupCount(const char* name, unsigned int& count) {
    const core::ptr<game::Powerup> powerup = game::CurrentPowerupSet::instance()->Get(name);
    if (!powerup) {
        core::Log::instance()->Write("Board: no power-up %s in the current set", name);
        return false;
    }
    count = powerup->GetOption("count").as_uint32();
    return true;
}

void Spend(const char* name) {
    game::CurrentPowerupSet::instance()->Reset(name, utils::Timer::instance()->GetTime());
}

// What the wave does to a targeted cell as its ring reaches it.
void ActOn(const Board::Wave& wave, int cx, int cy) {
    Board* board = wave.board;
    const math::Position cell(cx, cy);
    if (wave.removes) {
        board->PerformSingleRemove(static_cast<unsigned int>(cx), static_cast<unsigned int>(cy), false);
        if (wave.effect) board->StartEffect(cell, wave.effect);
        return;
    }
    const core::ptr<Ball> bomb = board->factory.CreateBall(kBombCode);
    if (!bomb) return;
    bomb->MoveTo(cell);
    bomb->target_col = cx;
    bomb->target_row = cy;
    board->balls.Set(cx, cy, bomb);
    bomb->StartAnimation("inserting");
    board->StartEffect(cell, Board::insert_bomb_effect);
}

}  // namespace

Board::Wave::Wave(unsigned int x_, unsigned int y_, Board* board_)
    : x(x_), y(y_), target(NewGrid(board_)), state(NewGrid(board_)), board(board_) {
    // A start off the grid leaves no front: the wave ends at its first step.
    if (state->Contains(static_cast<int>(x), static_cast<int>(y)))
        state->Set(static_cast<int>(x), static_cast<int>(y), kFront);
}

void Board::Wave::FillOne(unsigned int x_, unsigned int y_) {
    unsigned int& cell = state->Get(static_cast<int>(x_), static_cast<int>(y_));
    if (cell == kUntouched) cell = kNextFront;
}

bool Board::Wave::Update() {
    unsigned int front = 0;
    for (int cx = 0; cx < state->width; ++cx) {
        for (int cy = 0; cy < state->height; ++cy) {
            if (state->Get(cx, cy) != kFront) continue;
            ++front;
            for (int nx = cx - 1; nx <= cx + 1; ++nx) {
                for (int ny = cy - 1; ny <= cy + 1; ++ny) {
                    if (state->Contains(nx, ny))
                        FillOne(static_cast<unsigned int>(nx), static_cast<unsigned int>(ny));
                }
            }
            state->Set(cx, cy, kDone);
            if (target->Get(cx, cy) != 0) ActOn(*this, cx, cy);
        }
    }
    for (int cx = 0; cx < state->width; ++cx) {
        for (int cy = 0; cy < state->height; ++cy) {
            if (state->Get(cx, cy) == kNextFront) state->Set(cx, cy, kFront);
        }
    }
    return front == 0;
}

void Board::UpdateWaves() {
    if (waves.empty()) return;
    std::vector<std::list<Wave>::iterator> finished_waves;
    // Waves that a reached colour ball appends are visited in this same walk.
    for (auto it = waves.begin(); it != waves.end(); ++it) {
        const unsigned int plates_before = plates_left;
        if (it->Update()) finished_waves.push_back(it);
        if (plates_left < plates_before) StartEffect(math::Position(0, 0), remove_plates_effect);
    }
    for (const auto& it : finished_waves) waves.erase(it);
    if (waves.empty()) OnChanges();
}

void Board::RemoveColor(unsigned int x, unsigned int y) {
    if (!balls.Contains(static_cast<int>(x), static_cast<int>(y))) return;
    const core::ptr<Ball>& ball = balls.Get(static_cast<int>(x), static_cast<int>(y));
    if (!ball) return;
    const unsigned int color = ball->GetColor();
    if (IsRefusedColor(color)) {
        action = false;
        return;
    }
    if (!preview) action = true;
    RemoveColor(x, y, color);
}

void Board::RemoveColor(unsigned int x, unsigned int y, unsigned int color) {
    std::vector<math::Position> found;
    for (int cx = 0; cx < balls.width; ++cx) {
        for (int cy = 0; cy < balls.height; ++cy) {
            const core::ptr<Ball>& ball = balls.Get(cx, cy);
            if (ball && ball->GetColor() == color) found.push_back(math::Position(cx, cy));
        }
    }
    if (preview) {
        for (const math::Position& cell : found)
            MarkToRemove(static_cast<unsigned int>(cell.x), static_cast<unsigned int>(cell.y));
        return;
    }
    StartEffect(math::Position(static_cast<int>(x), static_cast<int>(y)), remove_color_effect);
    Wave wave(x, y, this);
    wave.removes = true;
    for (const math::Position& cell : found) wave.target->Set(cell.x, cell.y, 1);
    waves.push_back(wave);
}

void Board::RemoveRandomBlocks(unsigned int count) {
    Wave wave = RandomWave(*this, remove_rbs_effect, count);
    wave.removes = true;
    wave.effect = remove_rb_effect;
    waves.push_back(wave);
    Spend("remove_rb");
}

void Board::RemoveRandomBlocks() {
    unsigned int count = 0;
    if (PowerupCount("remove_rb", count)) RemoveRandomBlocks(count);
}

void Board::InsertRandomBombs(unsigned int count) {
    waves.push_back(RandomWave(*this, rnd_bombs_effect, count));
    Spend("rnd_bombs");
}

void Board::InsertRandomBombs() {
    unsigned int count = 0;
    if (PowerupCount("rnd_bombs", count)) InsertRandomBombs(count);
}

}  // namespace cm
