#include "vantle/render/clip_stack.h"

namespace render {

void ClipStack::Set(const math::Rect& rect) {
    _rect = rect;
    _enabled = true;
}

bool ClipStack::Pop() {
    if (_stack.empty()) return false;
    Set(_stack.back());
    _stack.pop_back();
    return true;
}

}  // namespace render
