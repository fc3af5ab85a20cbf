#include "vantle/math/quad2.h"

namespace math {

namespace {
constexpr int kCorners = 4;
}

Quad2::Quad2(const Rect& r)
    : v{Vector2(r.left, r.top), Vector2(r.right, r.top), Vector2(r.right, r.bottom),
        Vector2(r.left, r.bottom)} {}

Quad2::Quad2(const Vector2& a, const Vector2& b, const Vector2& c, const Vector2& d) : v{a, b, c, d} {}

bool Quad2::Contains(const Vector2& p) const {
    int sides = 0;
    for (int i = 0; i < kCorners; ++i) sides += Edge(i).Side(p);
    return sides == kCorners || sides == -kCorners;
}

bool Quad2::Intersect(const Rect& r) const {
    for (const Vector2& corner : v) {
        if (r.Contains(corner)) return true;
    }
    for (int i = 0; i < kCorners; ++i) {
        if (r.Intersect(Edge(i))) return true;
    }
    return false;
}

bool Quad2::Intersect(const Line2& line) const {
    for (int i = 0; i < kCorners; ++i) {
        if (Edge(i).Intersect(line)) return true;
    }
    return false;
}

}  // namespace math
