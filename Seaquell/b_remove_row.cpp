#include "Seaquell/b_remove_row.h"

#include "Seaquell/board.h"

namespace cm {

RemoveRow::RemoveRow(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                     unsigned int color)
    : Ball(sprite, cell_size, color) {}

void RemoveRow::OnClick(Board* board) {
    if (board) board->RemoveRow(static_cast<unsigned int>(col), static_cast<unsigned int>(row), 0);
}

std::string RemoveRow::GetTypeName() const {
    return "remove_row";
}

bool RemoveRow::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
