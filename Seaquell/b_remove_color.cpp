#include "Seaquell/b_remove_color.h"

#include "Seaquell/board.h"
#include "vantle/core/strutils.h"
#include "vantle/game/sprite.h"

namespace cm {

RemoveColor::RemoveColor(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size,
                         unsigned int color)
    : Ball(sprite, cell_size, color) {
    SetAnimation(ColorAnimation());
}

void RemoveColor::Update(unsigned int now) {
    Ball::Update(now);
    // A one-shot animation that has played out falls back to the sprite's default, which shows no colour.
    if (sprite && sprite->GetCurrentAnimation().get() == sprite->GetDefaultAnimation().get())
        SetAnimation(ColorAnimation());
}

void RemoveColor::Over(bool over_) {
    if (over_ == over) return;
    over = over_;
    SetAnimation(ColorAnimation());
}

void RemoveColor::MouseOver(bool mouse_over_) {
    if (mouse_over_ == mouse_over) return;
    SetAnimation(mouse_over_ ? std::string("mouse_over") : ColorAnimation());
    mouse_over = mouse_over_;
}

void RemoveColor::OnClick(Board* board) {
    if (board) board->RemoveColor(static_cast<unsigned int>(col), static_cast<unsigned int>(row));
}

std::string RemoveColor::GetTypeName() const {
    return "remove_color";
}

bool RemoveColor::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

std::string RemoveColor::ColorAnimation() const {
    return (over ? "over_" : "default_") + core::unsigned2str(color);
}

}  // namespace cm
