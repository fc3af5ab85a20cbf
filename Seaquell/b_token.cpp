#include "Seaquell/b_token.h"

namespace cm {

Token::Token(const core::ptr<game::Sprite>& sprite, const math::Vector2& cell_size, unsigned int value_)
    : Ball(sprite, cell_size, kColor), value(value_) {}

void Token::OnClick(Board*) {}

std::string Token::GetTypeName() const {
    return "token";
}

bool Token::CompareTo(const core::ptr<Ball>&) const {
    return false;
}

}  // namespace cm
