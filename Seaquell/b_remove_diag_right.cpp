#include "Seaquell/b_remove_diag_right.h"

#include "Seaquell/board.h"

namespace cm {

RemoveDiagonalRight::RemoveDiagonalRight(const core::ptr<game::Sprite>& sprite,
                                         const math::Vector2& cell_size, unsigned int color)
    : Ball(sprite, cell_size, color) {}

void RemoveDiagonalRight::OnClick(Board* board) {
    if (board) board->RemoveDiagonalRight(static_cast<unsigned int>(col), static_cast<unsigned int>(row), 0);
}

std::string RemoveDiagonalRight::GetTypeName() const {
    return "remove_diag";
}

bool RemoveDiagonalRight::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
