#include "vantle/math/vec2.h"

#include <cmath>

#include "vantle/xml/attributes.h"

namespace math {

const Vector2 Vector2::ZERO(0.0f, 0.0f);
const Vector2 Vector2::UNIT_X(1.0f, 0.0f);
const Vector2 Vector2::UNIT_Y(0.0f, 1.0f);
const Vector2 Vector2::NEGATIVE_UNIT_X(-1.0f, 0.0f);
const Vector2 Vector2::NEGATIVE_UNIT_Y(0.0f, -1.0f);
const Vector2 Vector2::UNIT_SCALE(1.0f, 1.0f);

Vector2::Vector2(TiXmlElement* element) : Vector2(xml::ReadPoint(element)) {}

Vector2& Vector2::operator+=(const Vector2& o) {
    x += o.x;
    y += o.y;
    return *this;
}

Vector2& Vector2::operator-=(const Vector2& o) {
    x -= o.x;
    y -= o.y;
    return *this;
}

Vector2& Vector2::operator*=(float k) {
    x *= k;
    y *= k;
    return *this;
}

float Vector2::Length() const {
    return std::sqrt(LengthSq());
}

Vector2 Vector2::Normalized() const {
    const float length = Length();
    if (length == 0.0f) return *this;
    return *this / length;
}

Vector2 Vector2::Lerp(const Vector2& a, const Vector2& b, float t) {
    return a + (b - a) * t;
}

}  // namespace math
