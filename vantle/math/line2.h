#pragma once

#include "vantle/math/vec2.h"

namespace math {

// The segment from (x1, y1) to (x2, y2).
struct Line2 {
    float x1 = 0.0f;
    float y1 = 0.0f;
    float x2 = 0.0f;
    float y2 = 0.0f;

    Line2() = default;
    Line2(float x1_, float y1_, float x2_, float y2_) : x1(x1_), y1(y1_), x2(x2_), y2(y2_) {}
    Line2(const Vector2& a, const Vector2& b) : x1(a.x), y1(a.y), x2(b.x), y2(b.y) {}

    float LengthSq() const;
    float Length() const;
    // Not normalised.
    Vector2 Direction() const { return Vector2(x2 - x1, y2 - y1); }

    // True when the two segments share a point, end points included. Parallel segments, even
    // overlapping collinear ones, never intersect.
    bool Intersect(const Line2& o) const;
    // +1 on one side of the line, -1 on the other or on the line itself.
    int Side(const Vector2& p) const;
};

}  // namespace math
