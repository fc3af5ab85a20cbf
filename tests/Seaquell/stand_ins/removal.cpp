// Stand-ins for single-cell removal and the check after a change, doing what the removers and waves
// rely on: a locked ball is unlocked, any other fires its action unless silent and leaves a ghost that
// scores 10 and takes a plate level; a token stays. The check after a change is recorded.
#include "Seaquell/b_token.h"
#include "Seaquell/board.h"
#include "Seaquell/ghost.h"
#include "board_calls.h"

namespace cm {

void Board::MarkToRemove(unsigned int x, unsigned int y) {
    if (remove_mask.Get(x, y)) return;
    remove_mask.Set(x, y, true);
    ++marked_count;
}

void Board::PerformSingleRemove(unsigned int x, unsigned int y, bool silent) {
    // Held here: the ball's own action may replace it in its cell.
    const core::ptr<Ball> ball = balls.Get(x, y);
    if (!ball) return;
    if (ball->locked) {
        ball->locked = false;
        return;
    }
    if (!silent) ball->OnRemove(this);
    if (ball->GetColor() == Token::kColor) return;
    const core::ptr<Ball> ghost(new Ghost(0, ghost_lifetime, math::Vector2(cell_width, cell_height)));
    ghost->MoveTo(x, y);
    ghost->target_col = x;
    ghost->target_row = y;
    balls.Set(x, y, ghost);
    if (remove_mask.Get(x, y)) {
        remove_mask.Set(x, y, false);
        --marked_count;
    }
    int& plate = back_board.Get(x, y).plate;
    if (plate > 0) {
        --plate;
        --plates_left;
    }
    score += 10;
}

void Board::OnChanges() {
    test::Record(this, "OnChanges");
}

}  // namespace cm
