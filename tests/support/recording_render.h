#pragma once

#include <string>
#include <vector>

#include "support/memory_page.h"
#include "vantle/render/clip_stack.h"
#include "vantle/render/color_force.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_pages.h"

namespace test {

// A renderer without GL: it records every draw with the world matrix and the colour it would be drawn
// with (colour forcing applied), keeps world and view matrix stacks in software, and places textures
// on MemoryPages. Operations that only set state are recorded by name in Calls().
class RecordingRender : public render::Render::Implementation {
public:
    enum DrawKind { TRI, RECT, TEXTURED_RECT, QUAD, TEXTURED_QUAD, TWO_TEXTURE_RECT, VERTICES, INDEXED };

    struct Draw {
        DrawKind kind;
        math::Rect rect;                    // destination of rectangle draws
        std::vector<math::Vector2> points;  // corners of triangles and quads
        render::Color color;                // after colour forcing
        const render::ITexture* texture;    // null when untextured
        math::Rect texture_rect;            // as given, in the texture's own coordinates
        unsigned int count;                 // vertices or indices drawn
        math::Matrix4 world;
        BlendingMode blending;
        FilteringMode filtering;
        bool clipped;     // whether clipping was on
        math::Rect clip;  // the box clipping kept the draw in, in screen units (see ClipBox)
    };

    RecordingRender();
    ~RecordingRender() override;
    RecordingRender(const RecordingRender&) = delete;
    RecordingRender& operator=(const RecordingRender&) = delete;

    const std::vector<Draw>& Draws() const { return _draws; }
    const std::vector<std::string>& Calls() const { return _calls; }
    bool Called(const std::string& name) const;
    void ClearRecord();
    const std::vector<MemoryPage*>& Pages() const { return _pages.Get(); }
    float OrthoWidth() const { return _ortho_width; }
    float OrthoHeight() const { return _ortho_height; }

    bool Init(int, int, int, bool) override;
    bool OpenWindow(int, int, int, bool) override;
    bool ResizeWindow(int, int) override;
    bool ResizeWindow(bool) override;
    void BeginScene() override;
    void EndScene() override;
    void Clear() override;
    void Reset() override;
    void SetOrtho(float width, float height) override;

    void PushWorldMatrix() override { _world_stack.push_back(_world); }
    void PopWorldMatrix() override;
    void SetWorldMatrix(const math::Matrix4& m) override { _world = m; }
    void MultWorldMatrix(const math::Matrix4& m) override { _world = _world * m; }
    math::Matrix4 GetWorldMatrix() override { return _world; }
    void PushViewMatrix() override { _view_stack.push_back(_view); }
    void PopViewMatrix() override;
    void SetViewMatrix(const math::Matrix4& m) override { _view = m; }
    void MultViewMatrix(const math::Matrix4& m) override { _view = _view * m; }
    math::Matrix4 GetViewMatrix() override { return _view; }

    render::ITexture* LoadTexture(const render::Bitmap& bitmap) override;
    render::ITexture* LoadTexture(core::ptr<io::IStream>& stream) override;
    render::ITexture* CreateTexture(unsigned int, unsigned int) override { return nullptr; }
    void ClearTextures() override;

    void SetBlendingMode(BlendingMode mode) override { _blending = mode; }
    void SetFilteringMode(FilteringMode mode) override { _filtering = mode; }
    BlendingMode GetBlendingMode() override { return _blending; }
    FilteringMode GetFilteringMode() override { return _filtering; }

    void SetClipRect(const math::Rect& rect) override { _clip.Set(rect, _world); }
    void DisableClipRect() override { _clip.Disable(); }
    math::Rect GetClipRect() override { return _clip.Get(); }
    void PushClipRect() override { _clip.Push(); }
    void PopClipRect() override {
        if (!_clip.Pop()) DisableClipRect();
    }
    bool IsClipEnabled() const { return _clip.IsEnabled(); }
    // Where clipping keeps drawing while it is on, in screen units: what the GL back end scissors to.
    const math::Rect& ClipBox() const { return _clip.GetBox(); }

    void EnableStencil() override { _calls.push_back("EnableStencil"); }
    void DisableStencil() override { _calls.push_back("DisableStencil"); }
    void ClearStencil() override { _calls.push_back("ClearStencil"); }
    void StencilSetWriteMode() override { _calls.push_back("StencilSetWriteMode"); }
    void StencilSetUseMode() override { _calls.push_back("StencilSetUseMode"); }

    void DrawTri(const math::Vector2& a, const math::Vector2& b, const math::Vector2& c,
                 const render::Color& color) override;
    void DrawRect(const math::Rect& rect, const render::Color& color) override;
    void DrawRect(const math::Rect& rect, const render::Color& color, const render::ITexture* texture,
                  const math::Rect& texture_rect) override;
    void DrawRect(const math::Rect& rect, const render::Tile& tile) override;
    void DrawQuad(const math::Quad2& quad, const render::Color& color) override;
    void DrawQuad(const math::Quad2& quad, const render::Color& color, const render::ITexture* texture,
                  const math::Rect& texture_rect) override;
    void DrawQuad(const math::Quad2& quad, const render::Tile& tile) override;
    void DrawRect(const math::Rect& rect, const render::Color& color, const render::ITexture* texture,
                  const math::Rect& texture_rect, const render::Color&, const render::ITexture*,
                  const math::Rect&) override;

    render::IVertexBuffer* CreateVertexBuffer(unsigned int reserved) override;
    void DrawVertexBuffer(render::IVertexBuffer* vertices, const render::ITexture* texture) override;
    render::IIndexBuffer* CreateIndexBuffer(unsigned int reserved) override;
    void DrawVertexBuffer(render::IVertexBuffer* vertices, render::IIndexBuffer* indices,
                          const render::ITexture* texture) override;

    void ForceColor(const render::Color& color) override { _force.Force(color); }
    void UnForceColor() override { _force.UnForce(); }
    void ForceColorAlpha(float alpha) override { _force.ForceAlpha(alpha); }
    void UnForceColorAlpha() override { _force.UnForceAlpha(); }
    void PushColorForce() override { _force.Push(); }
    void PopColorForce() override { _force.Pop(); }

    void SetSystemCursor(const core::ptr<render::ITexture>&) override { _calls.push_back("SetSystemCursor"); }

private:
    Draw& Record(DrawKind kind, const render::Color& color, const render::ITexture* texture);
    void RecordQuad(const math::Quad2& quad, DrawKind kind, const render::Color& color,
                    const render::ITexture* texture, const math::Rect& texture_rect);

    std::vector<Draw> _draws;
    std::vector<std::string> _calls;
    math::Matrix4 _world;
    math::Matrix4 _view;
    std::vector<math::Matrix4> _world_stack;
    std::vector<math::Matrix4> _view_stack;
    float _ortho_width = 0.0f;
    float _ortho_height = 0.0f;
    BlendingMode _blending = BLEND_ALPHA;
    FilteringMode _filtering = FILTER_LINEAR;
    render::ClipStack _clip;
    render::ColorForce _force;
    render::TexturePages<MemoryPage> _pages;
};

}  // namespace test
