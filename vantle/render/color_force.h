#pragma once

#include <vector>

#include "vantle/render/color.h"

namespace render {

// The renderer's colour forcing: a forced colour and a forced alpha that replace the colours of the
// draws, combining multiplicatively when nested, with a stack to save and restore the whole state.
class ColorForce {
public:
    // Multiplies into a colour already forced; a forced alpha alone multiplies the new colour's alpha.
    void Force(const Color& color);
    // The alpha, multiplied into whatever is forced already.
    void ForceAlpha(float alpha);
    // Each clears its own flag only; the forced colour keeps its value.
    void UnForce() { _color_forced = false; }
    void UnForceAlpha() { _alpha_forced = false; }
    void Push();
    // Without a matching Push it does nothing.
    void Pop();

    // The colour a draw given this colour comes out in.
    Color Apply(const Color& color) const;

    bool IsColorForced() const { return _color_forced; }
    bool IsAlphaForced() const { return _alpha_forced; }
    const Color& GetForced() const { return _forced; }

private:
    struct State {
        bool color_forced;
        bool alpha_forced;
        Color forced;
    };

    bool _color_forced = false;
    bool _alpha_forced = false;
    Color _forced;
    std::vector<State> _stack;
};

}  // namespace render
