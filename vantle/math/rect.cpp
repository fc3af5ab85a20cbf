#include "vantle/math/rect.h"

#include <tinyxml.h>

#include <algorithm>
#include <optional>
#include <utility>

#include "vantle/xml/attributes.h"

namespace math {

const Rect Rect::ZERO(0.0f, 0.0f, 0.0f, 0.0f);

Rect::Rect(const Vector2& a, const Vector2& b) : left(a.x), top(a.y), right(b.x), bottom(b.y) {
    Normalize();
}

Rect::Rect(TiXmlElement* element) {
    Load(element);
    Normalize();
}

Rect::Rect(TiXmlNode* node) : Rect(node ? node->ToElement() : nullptr) {}

namespace {

// A size under either of its two names; the long name wins.
std::optional<float> ReadSize(const TiXmlElement* element, const char* short_name, const char* long_name) {
    const std::optional<float> size = xml::FindFloat(element, long_name);
    return size ? size : xml::FindFloat(element, short_name);
}

}  // namespace

void Rect::Load(TiXmlElement* element) {
    if (const auto x = xml::FindFloat(element, "x")) left = right = *x;
    if (const auto y = xml::FindFloat(element, "y")) top = bottom = *y;
    if (const auto x = xml::FindFloat(element, "left")) left = right = *x;
    if (const auto y = xml::FindFloat(element, "top")) top = bottom = *y;
    const std::optional<float> far_right = xml::FindFloat(element, "right");
    const std::optional<float> far_bottom = xml::FindFloat(element, "bottom");
    if (const auto width = ReadSize(element, "w", "width"))
        right = left + *width;
    else
        right = far_right.value_or(left);
    if (const auto height = ReadSize(element, "h", "height"))
        bottom = top + *height;
    else
        bottom = far_bottom.value_or(top);
}

void Rect::Normalize() {
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
}

bool Rect::Contains(const Vector2& p) const {
    return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom;
}

void Rect::Move(float dx, float dy) {
    left += dx;
    right += dx;
    top += dy;
    bottom += dy;
}

void Rect::MoveTo(float x, float y) {
    Move(x - left, y - top);
}

void Rect::Resize(float w, float h) {
    right = left + w;
    bottom = top + h;
}

void Rect::ClipBy(const Rect& o) {
    left = std::max(left, o.left);
    top = std::max(top, o.top);
    right = std::min(right, o.right);
    bottom = std::min(bottom, o.bottom);
}

bool Rect::Intersect(const Vector2& a, const Vector2& b) const {
    if (Contains(a) || Contains(b)) return true;
    const Line2 segment(a, b);
    const Line2 edges[] = {
        Line2(left, top, right, top),
        Line2(right, top, right, bottom),
        Line2(right, bottom, left, bottom),
        Line2(left, bottom, left, top),
    };
    for (const Line2& edge : edges) {
        if (segment.Intersect(edge)) return true;
    }
    return false;
}

bool Rect::Intersect(const Line2& line) const {
    return Intersect(Vector2(line.x1, line.y1), Vector2(line.x2, line.y2));
}

bool Rect::operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
}

}  // namespace math
