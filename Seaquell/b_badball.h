#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Never joins a group; only removers and waves take it away. Bonus kinds never join a group.
class BadBall : public Ball {
public:
    BadBall(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color);

    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;
};

}  // namespace cm
