#include "Seaquell/b_badball.h"

namespace cm {

BadBall::BadBall(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color)
    : Ball(sprite, cell_size, color) {}

std::string BadBall::GetTypeName() const {
    return "badball";
}

bool BadBall::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
