#include "vantle/math/line2.h"

namespace math {

float Line2::LengthSq() const {
    return Direction().LengthSq();
}

float Line2::Length() const {
    return Direction().Length();
}

bool Line2::Intersect(const Line2& o) const {
    const Vector2 a = Direction();
    const Vector2 b = o.Direction();
    const float denominator = a.y * b.x - b.y * a.x;
    if (denominator == 0.0f) return false;
    const float s = (b.y * (x1 - o.x1) - b.x * (y1 - o.y1)) / denominator;
    const float u = (a.x * (o.y1 - y1) - a.y * (o.x1 - x1)) / denominator;
    return s >= 0.0f && s <= 1.0f && u >= 0.0f && u <= 1.0f;
}

int Line2::Side(const Vector2& p) const {
    const Vector2 d = Direction();
    return d.y * (p.x - x2) - d.x * (p.y - y2) > 0.0f ? 1 : -1;
}

}  // namespace math
