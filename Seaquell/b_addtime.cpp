#include "Seaquell/b_addtime.h"

#include "Seaquell/board.h"

namespace cm {

AddTime::AddTime(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color)
    : Ball(sprite, cell_size, color) {}

void AddTime::OnClick(Board* board) {
    if (board) board->AddTime(static_cast<unsigned int>(col), static_cast<unsigned int>(row));
}

std::string AddTime::GetTypeName() const {
    return "addtime";
}

bool AddTime::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
