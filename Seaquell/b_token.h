#pragma once

#include <string>

#include "Seaquell/ball.h"

namespace cm {

// Money on the board, worth 1, 5 or 10; the board collects it when it is clicked or reaches the bottom row.
class Token : public Ball {
public:
    static constexpr unsigned int kColor = 1000;

    Token(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int value_);

    // Collecting is the board's business.
    void OnClick(Board* board) override;
    std::string GetTypeName() const override;
    bool CompareTo(const core::ptr<Ball>& other) const override;

    unsigned int value;
};

}  // namespace cm
