#include "Seaquell/b_remove_color.h"

#include "Seaquell/board.h"
#include "vantle/core/strutils.h"

namespace cm {

namespace {

const unsigned int kFirstColor = 1;
const unsigned int kLastColor = 8;

}  // namespace

RemoveColor::RemoveColor(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                         unsigned int color)
    : Ball(sprite, cell_size, color) {
    SetAnimation(Look("default"));
}

void RemoveColor::OnClick(Board* board) {
    if (board) board->RemoveColor(static_cast<unsigned int>(col), static_cast<unsigned int>(row));
}

std::string RemoveColor::GetTypeName() const {
    return "remove_color";
}

bool RemoveColor::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

std::string RemoveColor::Look(const std::string& name) const {
    if (color < kFirstColor || color > kLastColor) return name;
    return name + "_" + core::unsigned2str(color);
}

}  // namespace cm
