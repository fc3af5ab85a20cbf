#include "Seaquell/ghost.h"

#include "vantle/game/sprite.h"

namespace cm {

Ghost::Ghost(unsigned int start_, unsigned int lifetime_, const math::Vector2& cell_size)
    : Ball(core::ptr<game::Sprite>(), cell_size, kColor), lifetime(lifetime_), start(start_) {}

void Ghost::Update(unsigned int) {}

void Ghost::Render() {}

void Ghost::OnClick(Board*) {}

bool Ghost::IsAlive(unsigned int now) {
    return now - start <= lifetime;
}

bool Ghost::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
