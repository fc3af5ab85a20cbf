#pragma once

#include "vantle/core/singleton.h"
#include "vantle/render/irender.h"
#include "vantle/render/null_render.h"

namespace render {

// The process's renderer: holds the one back end (not owned) that drawing code fetches with
// GetImplementation, and forwards the window operations to it.
class Render : public core::Singleton<Render> {
public:
    // What every back end derives from.
    class Implementation : public IRender {};

    // Where a line of text stands against its anchor point: starting there, ending there or centred on it.
    enum TextAlign { LEFT = 0, RIGHT = 1, CENTER = 2 };

    Render() = default;
    virtual ~Render() = default;

    void SetImplementation(Implementation* implementation) { _implementation = implementation; }
    // Null before SetImplementation. For code that must know whether a back end is installed (to report
    // a resource it cannot make); drawing code goes through Renderer() instead.
    Implementation* GetImplementation() const { return _implementation; }
    // The installed back end or, while none is installed, a NullRender that draws nothing. The first
    // request of each stretch without a back end writes one log line.
    IRender& GetRenderer();

    unsigned int GetLOD() const { return _lod; }
    void SetLOD(unsigned int lod) { _lod = lod; }

    bool Init(int width, int height, int depth, bool fullscreen);
    void Restore();
    bool OpenWindow(int width, int height, int depth, bool fullscreen);
    // Without a back end nothing happens, the recorded size included.
    void ResizeWindow(int width, int height);
    bool ResizeWindow(bool fullscreen);
    void SetOrtho(float width, float height);

    // Logical units per window pixel.
    float GetScaleX() const { return _ortho_width / _window_width; }
    float GetScaleY() const { return _ortho_height / _window_height; }
    float GetOrthoWidth() const { return _ortho_width; }
    float GetOrthoHeight() const { return _ortho_height; }

    void EnableStencil();
    void DisableStencil();
    virtual void SetSystemCursor(const core::ptr<ITexture>& cursor);

private:
    void RecordWindowSize(int width, int height);

    static constexpr unsigned int kDefaultLOD = 10;

    Implementation* _implementation = nullptr;
    NullRender _null_renderer;
    bool _missing_reported = false;
    unsigned int _lod = kDefaultLOD;
    float _ortho_width = 640.0f;
    float _ortho_height = 480.0f;
    // Until a window is recorded, the scale is 1.
    float _window_width = 640.0f;
    float _window_height = 480.0f;
};

// The one way drawing code reaches the renderer: Render::instance()->GetRenderer(). Fetch it at every
// draw, never keep it: the back end may be replaced between frames. Drawing code needs no null check.
inline IRender& Renderer() {
    return Render::instance()->GetRenderer();
}

}  // namespace render
