#include "Seaquell/b_remove_diag_left.h"

#include "Seaquell/board.h"

namespace cm {

RemoveDiagonalLeft::RemoveDiagonalLeft(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                                       unsigned int color)
    : Ball(sprite, cell_size, color) {}

void RemoveDiagonalLeft::OnClick(Board* board) {
    if (board) board->RemoveDiagonalLeft(static_cast<unsigned int>(col), static_cast<unsigned int>(row), 0);
}

std::string RemoveDiagonalLeft::GetTypeName() const {
    return "remove_diag";
}

bool RemoveDiagonalLeft::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
