#pragma once

#include "Seaquell/ball.h"

namespace cm {

// Only the kind for now; its action comes with the bonus balls' rules.
class RemoveDiagonalRight : public Ball {
public:
    RemoveDiagonalRight(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                        unsigned int color);
};

}  // namespace cm
