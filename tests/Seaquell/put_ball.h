#pragma once

#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "Seaquell/ghost.h"

namespace test {

// A ball of a map code settled in its cell; "T" is a token, "G" a ghost, "0" leaves the cell empty.
inline core::ptr<cm::Ball> PutBall(cm::Board& board, char code, int col, int row, const math::Vector2& cell) {
    core::ptr<cm::Ball> ball = code == 'T'   ? core::ptr<cm::Ball>(new cm::Token(nullptr, cell, 1))
                               : code == 'G' ? core::ptr<cm::Ball>(new cm::Ghost(0, 1, cell))
                                             : board.factory.CreateBall(code);
    if (ball) {
        ball->MoveTo(col, row);
        ball->target_col = col;
        ball->target_row = row;
    }
    board.balls.Set(col, row, ball);
    return ball;
}

}  // namespace test
