#include "vantle/render/clip_stack.h"

#include <algorithm>

namespace render {

namespace {

// The bounds of the rectangle's corners under the matrix, which may turn or scale it.
math::Rect Bounds(const math::Rect& rect, const math::Matrix4& world) {
    const math::Vector2 corners[] = {
        world * math::Vector2(rect.left, rect.top), world * math::Vector2(rect.right, rect.top),
        world * math::Vector2(rect.right, rect.bottom), world * math::Vector2(rect.left, rect.bottom)};
    math::Rect bounds(corners[0].x, corners[0].y, corners[0].x, corners[0].y);
    for (const math::Vector2& p : corners) {
        bounds.left = std::min(bounds.left, p.x);
        bounds.top = std::min(bounds.top, p.y);
        bounds.right = std::max(bounds.right, p.x);
        bounds.bottom = std::max(bounds.bottom, p.y);
    }
    return bounds;
}

}  // namespace

void ClipStack::Set(const math::Rect& rect, const math::Matrix4& world) {
    _rect = rect;
    _box = Bounds(rect, world);
    if (!_stack.empty() && _stack.back().enabled) _box.ClipBy(_stack.back().box);
    _enabled = true;
}

bool ClipStack::Pop() {
    if (_stack.empty()) return false;
    _rect = _stack.back().rect;
    _box = _stack.back().box;
    _enabled = _stack.back().enabled;
    _stack.pop_back();
    return true;
}

}  // namespace render
