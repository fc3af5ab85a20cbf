#pragma once

#include <vector>

#include "vantle/render/clip_stack.h"
#include "vantle/render/color_force.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_pages.h"

namespace render {

class BaseTextureOGL;
class VertexBufferOGL;

// The OpenGL 1.x back end: immediate-mode drawing into the current GL context, every texture a block of
// a shared 1024 x 1024 page. The window and its context belong to the platform layer.
class RenderOGL : public Render::Implementation {
public:
    static constexpr unsigned int kPageSide = 1024;

    RenderOGL();
    // Pages that textures still use are handed over to those textures (see BaseTexture::Orphan).
    ~RenderOGL() override;
    RenderOGL(const RenderOGL&) = delete;
    RenderOGL& operator=(const RenderOGL&) = delete;

    bool Init(int width, int height, int depth, bool fullscreen) override;
    bool OpenWindow(int width, int height, int depth, bool fullscreen) override;
    bool ResizeWindow(int width, int height) override;
    bool ResizeWindow(bool fullscreen) override;
    void Restore() override {}
    void BeginScene() override;
    void EndScene() override;
    void Clear() override;
    void Reset() override {}
    bool RenderStarted() override { return true; }
    void CloseWindow() override {}
    void SetOrtho(float width, float height) override;

    void PushWorldMatrix() override;
    void PopWorldMatrix() override;
    void SetWorldMatrix(const math::Matrix4& matrix) override;
    void MultWorldMatrix(const math::Matrix4& matrix) override;
    math::Matrix4 GetWorldMatrix() override;
    void PushViewMatrix() override;
    void PopViewMatrix() override;
    void SetViewMatrix(const math::Matrix4& matrix) override;
    void MultViewMatrix(const math::Matrix4& matrix) override;
    math::Matrix4 GetViewMatrix() override;

    ITexture* LoadTexture(const Bitmap& bitmap) override;
    ITexture* LoadTexture(core::ptr<io::IStream>& stream) override;
    void DumpTextures() override;
    ITexture* CreateTexture(unsigned int, unsigned int) override { return nullptr; }
    void ClearTextures() override;
    // Around a change of GL context: keep every page's pixels, then upload them into the new context.
    void StoreTextures();
    void RestoreTextures();
    const std::vector<BaseTextureOGL*>& GetPages() const { return _pages.Get(); }

    void SetBlendingMode(BlendingMode mode) override;
    void SetFilteringMode(FilteringMode mode) override;
    BlendingMode GetBlendingMode() override { return _blending; }
    FilteringMode GetFilteringMode() override { return _filtering; }

    // While clipping is on, drawing is kept inside the rectangle as the current world matrix places it on
    // the screen (within the rectangle that was current at the last push), by GL's scissor test. The
    // view matrix is taken to be the plain projection SetOrtho sets.
    void SetClipRect(const math::Rect& rect) override;
    void DisableClipRect() override;
    math::Rect GetClipRect() override { return _clip.Get(); }
    void PushClipRect() override { _clip.Push(); }
    // With nothing pushed, clipping goes off; otherwise what was pushed comes back, on or off.
    void PopClipRect() override;
    bool IsClipEnabled() const { return _clip.IsEnabled(); }

    void EnableStencil() override;
    void DisableStencil() override;
    void ClearStencil() override;
    void StencilSetWriteMode() override;
    void StencilSetUseMode() override;

    void DrawTri(const math::Vector2& a, const math::Vector2& b, const math::Vector2& c,
                 const Color& color) override;
    void DrawRect(const math::Rect& rect, const Color& color) override;
    void DrawRect(const math::Rect& rect, const Color& color, const ITexture* texture,
                  const math::Rect& texture_rect) override;
    void DrawRect(const math::Rect& rect, const Tile& tile) override;
    void DrawQuad(const math::Quad2&, const Color&) override {}
    void DrawQuad(const math::Quad2&, const Color&, const ITexture*, const math::Rect&) override {}
    void DrawQuad(const math::Quad2&, const Tile&) override {}
    void DrawRect(const math::Rect&, const Color&, const ITexture*, const math::Rect&, const Color&,
                  const ITexture*, const math::Rect&) override {}

    IVertexBuffer* CreateVertexBuffer(unsigned int reserved) override;
    void DrawVertexBuffer(IVertexBuffer* vertices, const ITexture* texture) override;
    IIndexBuffer* CreateIndexBuffer(unsigned int reserved) override;
    void DrawVertexBuffer(IVertexBuffer* vertices, IIndexBuffer* indices, const ITexture* texture) override;

    void ForceColor(const Color& color) override { _force.Force(color); }
    void UnForceColor() override { _force.UnForce(); }
    void ForceColorAlpha(float alpha) override { _force.ForceAlpha(alpha); }
    void UnForceColorAlpha() override { _force.UnForceAlpha(); }
    void PushColorForce() override { _force.Push(); }
    // Without a matching push it does nothing.
    void PopColorForce() override { _force.Pop(); }
    const ColorForce& GetColorForce() const { return _force; }

private:
    void ApplyBaseState();
    // The clip box as GL's scissor test, or the test off while clipping is off.
    void ApplyClip();
    void ClearWholeScreen();
    void DrawTexturedRect(const math::Rect& rect, const Color& color, const ITexture* texture,
                          const math::Rect& texture_rect);
    // What DrawTexturedRect leaves out: other textures, parts of images, a page change, forced colours.
    void DrawAnyTexturedRect(const math::Rect& rect, const Color& color, const ITexture* texture,
                             const math::Rect& texture_rect);
    static void SendTexturedQuad(const math::Rect& rect, const Color& color, const math::Rect& uv);
    // Texturing on with the texture's page bound and filtered, or off without one.
    void UseTexture(const ITexture* texture);
    void UsePage(const BaseTexture* page);
    // The common case first: the page of the draw before, with everything set.
    void UseReadyPage(const BaseTexture* page) {
        if (!page || page != _ready_page) UsePage(page);
    }
    void ApplyFilter();
    // Forgets what the GL context is known to have bound and enabled.
    void ForgetBoundTexture();
    void SetTexturing(bool on);
    void SendForcedVertices(const VertexBufferOGL& buffer, unsigned int count) const;
    void SetMatrix(unsigned int mode, const math::Matrix4& matrix, bool multiply);
    math::Matrix4 ReadMatrix(unsigned int which) const;

    float _ortho_width = 0.0f;
    float _ortho_height = 0.0f;
    int _window_width = 0;
    int _window_height = 0;
    int _depth = 0;
    BlendingMode _blending = BLEND_ALPHA;
    FilteringMode _filtering = FILTER_LINEAR;
    ColorForce _force;
    ClipStack _clip;
    TexturePages<BaseTextureOGL> _pages;

    // What the GL context is known to have bound and enabled, so consecutive draws from one page skip
    // the rebind.
    // Pages are deleted only where the renderer forgets this, so the pointer cannot dangle.
    const BaseTexture* _bound_page = nullptr;
    // The bound page while texturing is on and its filter applied: a draw from it changes no state.
    const BaseTexture* _ready_page = nullptr;
    int _bound_filter = -1;
    bool _texturing_known = false;
    bool _texturing_on = false;
};

}  // namespace render
