#include "Seaquell/b_remove_color.h"

namespace cm {

RemoveColor::RemoveColor(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                         unsigned int color)
    : Ball(sprite, cell_size, color) {}

}  // namespace cm
