#include "vantle/render/color_force.h"

namespace render {

void ColorForce::Force(const Color& color) {
    if (_color_forced) {
        _forced.Modulate(color);
    } else if (_alpha_forced) {
        const float alpha = _forced.a;
        _forced = color;
        _forced.a *= alpha;
    } else {
        _forced = color;
    }
    _color_forced = true;
}

void ColorForce::ForceAlpha(float alpha) {
    if (!_color_forced && !_alpha_forced) {
        _forced.a = alpha;
    } else {
        _forced.a *= alpha;
    }
    _alpha_forced = true;
}

void ColorForce::Push() {
    _stack.push_back(State{_color_forced, _alpha_forced, _forced});
}

void ColorForce::Pop() {
    if (_stack.empty()) return;
    const State& top = _stack.back();
    _color_forced = top.color_forced;
    _alpha_forced = top.alpha_forced;
    _forced = top.forced;
    _stack.pop_back();
}

Color ColorForce::Apply(const Color& color) const {
    Color result = _color_forced ? _forced : color;
    if (_alpha_forced) result.a = _forced.a;
    return result;
}

}  // namespace render
