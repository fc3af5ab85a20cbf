#pragma once

#include "vantle/math/line2.h"
#include "vantle/math/vec2.h"

class TiXmlElement;
class TiXmlNode;

namespace math {

// Edges, not origin and size; y grows downwards. Only the constructors that say so and Normalize keep
// left <= right and top <= bottom.
struct Rect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;

    Rect() = default;
    constexpr Rect(float left_, float top_, float right_, float bottom_)
        : left(left_), top(top_), right(right_), bottom(bottom_) {}
    // Normalised.
    Rect(const Vector2& a, const Vector2& b);
    // The geometry attributes of the element, normalised; a null element gives the zero rectangle.
    explicit Rect(TiXmlElement* element);
    explicit Rect(TiXmlNode* node);

    // Reads "x", "y", "left", "top", "right", "bottom", "w", "h", "width", "height": the position from
    // "left" over "x" ("top" over "y"), the far edge from "width" over "w" over "right" (and likewise
    // downwards), sizes added to the position. A missing far edge gives a zero size.
    void Load(TiXmlElement* element);
    void Normalize();

    float Width() const { return right - left; }
    float Height() const { return bottom - top; }
    Vector2 Size() const { return Vector2(Width(), Height()); }
    Vector2 TopLeft() const { return Vector2(left, top); }
    // Edges included.
    bool Contains(const Vector2& p) const;

    void Move(float dx, float dy);
    // Puts (left, top) at (x, y), keeping the size.
    void MoveTo(float x, float y);
    // Keeps left and top.
    void Resize(float w, float h);
    void Resize(const Vector2& size) { Resize(size.x, size.y); }
    void Snap(float w, float h) { Resize(w, h); }
    // Intersection in place; an empty result is left as it falls (right may end below left).
    void ClipBy(const Rect& o);

    // Whether the segment a-b touches the rectangle, edges included.
    bool Intersect(const Vector2& a, const Vector2& b) const;
    bool Intersect(const Line2& line) const;

    bool operator==(const Rect& o) const;
    bool operator!=(const Rect& o) const { return !(*this == o); }

    static const Rect ZERO;
};

}  // namespace math
