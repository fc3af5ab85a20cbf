#include "Seaquell/b_remove_cross.h"

#include "Seaquell/board.h"

namespace cm {

RemoveCross::RemoveCross(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                         unsigned int color)
    : Ball(sprite, cell_size, color) {}

void RemoveCross::OnClick(Board* board) {
    if (board) board->RemoveCross(static_cast<unsigned int>(col), static_cast<unsigned int>(row));
}

std::string RemoveCross::GetTypeName() const {
    return "remove_cross";
}

bool RemoveCross::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
