#include "Seaquell/b_remove_block.h"

#include "Seaquell/board.h"

namespace cm {

namespace {
// One cell around the ball: a three by three square.
const unsigned int kHalfWidth = 1;
}  // namespace

RemoveBlock::RemoveBlock(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                         unsigned int color)
    : Ball(sprite, cell_size, color) {}

void RemoveBlock::OnClick(Board* board) {
    Remove(board, true);
}

void RemoveBlock::OnRemove(Board* board) {
    Remove(board, false);
}

void RemoveBlock::Remove(Board* board, bool direct) const {
    if (board)
        board->RemoveBlock(static_cast<unsigned int>(col), static_cast<unsigned int>(row), kHalfWidth,
                           direct);
}

std::string RemoveBlock::GetTypeName() const {
    return "remove_block";
}

bool RemoveBlock::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
