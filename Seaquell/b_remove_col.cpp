#include "Seaquell/b_remove_col.h"

#include "Seaquell/board.h"

namespace cm {

RemoveCol::RemoveCol(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                     unsigned int color)
    : Ball(sprite, cell_size, color) {}

void RemoveCol::OnClick(Board* board) {
    if (board) board->RemoveColumn(static_cast<unsigned int>(col), static_cast<unsigned int>(row), 0);
}

std::string RemoveCol::GetTypeName() const {
    return "remove_col";
}

bool RemoveCol::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
