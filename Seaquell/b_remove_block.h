#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Clears the three by three square around it: as a click, or chained when another action removes it.
// Bonus kinds never join a group.
class RemoveBlock : public Ball {
public:
    RemoveBlock(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int color);

    void OnClick(Board* board) override;
    void OnRemove(Board* board) override;
    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;

private:
    void Remove(Board* board, bool direct) const;
};

}  // namespace cm
