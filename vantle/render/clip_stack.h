#pragma once

#include <vector>

#include "vantle/math/rect.h"

namespace render {

// A renderer's clip rectangle, whether clipping is on, and a stack to save and restore the rectangle.
// Only the state: keeping it does not clip any drawing.
class ClipStack {
public:
    // Sets the rectangle and turns clipping on.
    void Set(const math::Rect& rect);
    // Turns clipping off; the rectangle keeps its value.
    void Disable() { _enabled = false; }
    void Push() { _stack.push_back(_rect); }
    // Restores the last pushed rectangle and turns clipping on; false, changing nothing, when the stack
    // is empty.
    bool Pop();

    const math::Rect& Get() const { return _rect; }
    bool IsEnabled() const { return _enabled; }

private:
    math::Rect _rect;
    bool _enabled = false;
    std::vector<math::Rect> _stack;
};

}  // namespace render
