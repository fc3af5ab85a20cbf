#include "Seaquell/b_addtime.h"

namespace cm {

AddTime::AddTime(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color)
    : Ball(sprite, cell_size, color) {}

}  // namespace cm
