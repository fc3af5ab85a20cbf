#include "Seaquell/b_remove_diag_cross.h"

#include "Seaquell/board.h"

namespace cm {

RemoveDiagonalCross::RemoveDiagonalCross(const core::ptr<game::Sprite>& sprite,
                                         const math::Vector2& cell_size, unsigned int color)
    : Ball(sprite, cell_size, color) {}

void RemoveDiagonalCross::OnClick(Board* board) {
    if (board) board->RemoveDiagonalCross(static_cast<unsigned int>(col), static_cast<unsigned int>(row));
}

std::string RemoveDiagonalCross::GetTypeName() const {
    return "remove_diag_cross";
}

bool RemoveDiagonalCross::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
