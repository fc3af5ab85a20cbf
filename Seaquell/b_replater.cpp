#include "Seaquell/b_replater.h"

namespace cm {

ReplaterBall::ReplaterBall(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                           unsigned int color)
    : Ball(sprite, cell_size, color) {}

}  // namespace cm
