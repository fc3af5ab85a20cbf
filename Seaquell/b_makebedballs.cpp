#include "Seaquell/b_makebedballs.h"

namespace cm {

MakeBadBall::MakeBadBall(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                         unsigned int color)
    : Ball(sprite, cell_size, color) {}

}  // namespace cm
