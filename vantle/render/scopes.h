#pragma once

#include "vantle/render/render.h"

namespace render {

// Scope guards for the renderer's state stacks: each pushes in its constructor and pops in its
// destructor, so the state comes back however the scope is left (an early return, an exception).
// Each pops on the renderer it pushed on, even if the back end is replaced meanwhile; by default that
// is Renderer(), and on the NullRender the guards do nothing. Nest them like the stacks they guard.

// The world matrix.
class WorldMatrixScope {
public:
    explicit WorldMatrixScope(IRender& renderer = Renderer()) : _renderer(renderer) {
        _renderer.PushWorldMatrix();
    }
    // Pushes, then multiplies the matrix in.
    WorldMatrixScope(IRender& renderer, const math::Matrix4& multiplied) : WorldMatrixScope(renderer) {
        _renderer.MultWorldMatrix(multiplied);
    }
    ~WorldMatrixScope() { _renderer.PopWorldMatrix(); }
    WorldMatrixScope(const WorldMatrixScope&) = delete;
    WorldMatrixScope& operator=(const WorldMatrixScope&) = delete;

private:
    IRender& _renderer;
};

// The colour forcing, forced colour and forced alpha alike.
class ColorForceScope {
public:
    explicit ColorForceScope(IRender& renderer = Renderer()) : _renderer(renderer) {
        _renderer.PushColorForce();
    }
    // Pushes, then forces the colour (multiplied into one already forced).
    ColorForceScope(IRender& renderer, const Color& forced) : ColorForceScope(renderer) {
        _renderer.ForceColor(forced);
    }
    ~ColorForceScope() { _renderer.PopColorForce(); }
    ColorForceScope(const ColorForceScope&) = delete;
    ColorForceScope& operator=(const ColorForceScope&) = delete;

private:
    IRender& _renderer;
};

// The clip rectangle. After the scope the rectangle, whether clipping is on and where on the screen it
// clips are as before it; that place does not follow a world matrix changed meanwhile.
class ClipRectScope {
public:
    explicit ClipRectScope(IRender& renderer = Renderer()) : _renderer(renderer) { _renderer.PushClipRect(); }
    // Pushes, then clips to the rectangle.
    ClipRectScope(IRender& renderer, const math::Rect& clip) : ClipRectScope(renderer) {
        _renderer.SetClipRect(clip);
    }
    ~ClipRectScope() { _renderer.PopClipRect(); }
    ClipRectScope(const ClipRectScope&) = delete;
    ClipRectScope& operator=(const ClipRectScope&) = delete;

private:
    IRender& _renderer;
};

// The texture filtering mode: set only when it differs from the current one, and then put back.
class FilteringScope {
public:
    FilteringScope(IRender& renderer, IRender::FilteringMode mode)
        : _renderer(renderer), _previous(renderer.GetFilteringMode()), _changed(_previous != mode) {
        if (_changed) _renderer.SetFilteringMode(mode);
    }
    ~FilteringScope() {
        if (_changed) _renderer.SetFilteringMode(_previous);
    }
    FilteringScope(const FilteringScope&) = delete;
    FilteringScope& operator=(const FilteringScope&) = delete;

private:
    IRender& _renderer;
    IRender::FilteringMode _previous;
    bool _changed;
};

}  // namespace render
