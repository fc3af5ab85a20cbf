#include "Seaquell/ball.h"

#include "vantle/game/sprite.h"

namespace cm {

Ball::Ball(const core::ptr<game::Sprite>& sprite_, const math::Vector2& cell_size_, unsigned int color_)
    : color(color_), sprite(sprite_), cell_size(cell_size_) {}

Ball::~Ball() = default;

core::ptr<Ball> Ball::Clone() const {
    core::ptr<Ball> copy(new Ball(*this));
    if (sprite) copy->sprite = core::ptr<game::Sprite>(sprite->Clone());
    return copy;
}

void Ball::Update(unsigned int now) {
    if (!sprite) return;
    const game::Sprite::Animation* playing = sprite->GetCurrentAnimation().get();
    sprite->Update(now);
    if (sprite->GetCurrentAnimation().get() != playing) SetAnimation(Look(CurrentLook()));
}

void Ball::Render() {
    if (!placed || !sprite) return;
    if (offset == math::Vector2::ZERO) return sprite->Render();
    // The whole sprite moves, children included, so that a sliding ball keeps its parts together.
    PlaceSprite(offset);
    sprite->Render();
    PlaceSprite(math::Vector2::ZERO);
}

void Ball::Over(bool over_) {
    if (over_ == over) return;
    SetAnimation(Look(over_ ? "over" : "default"));
    over = over_;
}

void Ball::MouseOver(bool mouse_over_) {
    if (mouse_over_ == mouse_over) return;
    mouse_over = mouse_over_;
    SetAnimation(Look(CurrentLook()));
}

bool Ball::OnPlace(Board*) {
    return false;
}

void Ball::OnClick(Board*) {}

void Ball::OnRemove(Board* board) {
    OnClick(board);
}

void Ball::OnMove(Board*) {}

bool Ball::IsAlive(unsigned int) {
    return true;
}

std::string Ball::GetTypeName() const {
    return "default";
}

bool Ball::CompareTo(const core::ptr<Ball>& other) const {
    return other && other->color == color;
}

bool Ball::HitTest(const math::Vector2& point) const {
    const float left = cell_size.x * static_cast<float>(col) + offset.x;
    const float top = cell_size.y * static_cast<float>(row) + offset.y;
    const float right = left + cell_size.x;
    const float bottom = top + cell_size.y;
    return left <= point.x && point.x <= right && top <= point.y && point.y <= bottom;
}

void Ball::MoveTo(const math::Position& cell) {
    MoveTo(cell.x, cell.y);
}

void Ball::MoveTo(int col_, int row_) {
    placed = true;
    col = col_;
    row = row_;
    PlaceSprite(math::Vector2::ZERO);
}

void Ball::SetNoEffects(bool off) {
    if (sprite) sprite->SetNoEffects(off);
}

void Ball::StartAnimation(const std::string& name) {
    SetAnimation(Look(name));
}

bool Ball::Compare(const core::ptr<Ball>& a, const core::ptr<Ball>& b) {
    return a && b && a->CompareTo(b) && b->CompareTo(a);
}

void Ball::PlaceSprite(const math::Vector2& shift) const {
    if (!sprite) return;
    sprite->MoveTo(cell_size.x * static_cast<float>(col) + shift.x,
                   cell_size.y * static_cast<float>(row) + shift.y);
}

void Ball::SetAnimation(const std::string& name) const {
    if (sprite) sprite->SetAnimation(name);
}

std::string Ball::Look(const std::string& name) const {
    return name;
}

std::string Ball::CurrentLook() const {
    return mouse_over ? "mouse_over" : over ? "over" : "default";
}

}  // namespace cm
