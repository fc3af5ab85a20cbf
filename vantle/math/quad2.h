#pragma once

#include "vantle/math/line2.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"

namespace math {

// Four corners in drawing order; either winding works for the tests below.
struct Quad2 {
    // All corners start at (0, 0).
    Vector2 v[4];

    Quad2() = default;
    // (left, top), (right, top), (right, bottom), (left, bottom).
    explicit Quad2(const Rect& r);
    Quad2(const Vector2& a, const Vector2& b, const Vector2& c, const Vector2& d);

    Vector2& operator[](int i) { return v[i]; }
    const Vector2& operator[](int i) const { return v[i]; }

    // A point on an edge counts as inside for only one of the two windings.
    bool Contains(const Vector2& p) const;
    // A corner inside the rectangle or an edge touching it; a rectangle wholly inside gives false.
    bool Intersect(const Rect& r) const;
    bool Intersect(const Line2& line) const;

private:
    Line2 Edge(int i) const { return Line2(v[i], v[(i + 1) % 4]); }
};

}  // namespace math
