#pragma once

#include <vector>

#include "vantle/math/mat4.h"
#include "vantle/math/rect.h"

namespace render {

// A renderer's clip rectangle, whether clipping is on, and a stack to save and restore the rectangle.
// Beside the rectangle as given it keeps the box that clipping keeps drawing in, in screen units: the
// rectangle's bounds under the world matrix it was set with, within the box pushed last while clipping
// was on, so a clipped window inside another stays inside both. Back ends apply the box while clipping
// is on.
class ClipStack {
public:
    // Sets the rectangle, in the frame the world matrix gives, and turns clipping on.
    void Set(const math::Rect& rect, const math::Matrix4& world = math::Matrix4::IDENTITY);
    // Turns clipping off; the rectangle keeps its value.
    void Disable() { _enabled = false; }
    void Push() { _stack.push_back({_rect, _box, _enabled}); }
    // Restores the last pushed rectangle, its box and whether clipping was on; false, changing nothing,
    // when the stack is empty.
    bool Pop();

    const math::Rect& Get() const { return _rect; }
    // Screen units; left and top may end past right and bottom when nothing is left to draw in.
    const math::Rect& GetBox() const { return _box; }
    bool IsEnabled() const { return _enabled; }

private:
    struct Saved {
        math::Rect rect;
        math::Rect box;
        bool enabled;
    };

    math::Rect _rect;
    math::Rect _box;
    bool _enabled = false;
    std::vector<Saved> _stack;
};

}  // namespace render
