#pragma once

#include "vantle/core/ptr.h"
#include "vantle/math/mat4.h"
#include "vantle/math/quad2.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"
#include "vantle/render/buffers.h"
#include "vantle/render/color.h"

namespace io {
class IStream;
}

namespace render {

class Bitmap;
class ITexture;
class Tile;

// Everything the system draws goes through this interface. Coordinates are logical units set by
// SetOrtho, origin top left, y downwards. Textured draws take texture rectangles in the texture's own
// 0 to 1 coordinates. Objects returned as raw pointers are new and belong to the caller.
class IRender {
public:
    enum BlendingMode {
        BLEND_NONE = 0,
        BLEND_ALPHA = 1,    // source alpha, one minus source alpha: ordinary drawing
        BLEND_ADD = 2,      // source alpha, one
        BLEND_KEEP = 3,     // colour buffer unchanged: for drawing a stencil mask
        BLEND_REPLACE = 4,  // source copied over the destination
    };
    enum FilteringMode {
        FILTER_UNSET = 0,
        FILTER_POINT = 1,
        FILTER_LINEAR = 2,
        FILTER_ANISOTROPIC = 3,
    };

    virtual ~IRender() = default;

    virtual bool Init(int width, int height, int depth, bool fullscreen);
    virtual void Restore() {}
    virtual bool OpenWindow(int width, int height, int depth, bool fullscreen) = 0;
    virtual bool ResizeWindow(int width, int height) = 0;
    virtual bool ResizeWindow(bool fullscreen) = 0;
    virtual void BeginScene() = 0;
    // Finishes the frame and shows it.
    virtual void EndScene() = 0;
    virtual void Clear() = 0;
    virtual void Reset() = 0;
    virtual bool RenderStarted() { return true; }
    virtual void CloseWindow() {}
    virtual void SetTexelSize(unsigned int) {}
    virtual void SetOrtho(float width, float height) = 0;

    // World: the model-view transform of what is drawn.
    virtual void PushWorldMatrix() = 0;
    virtual void PopWorldMatrix() = 0;
    virtual void SetWorldMatrix(const math::Matrix4& matrix) = 0;
    virtual void MultWorldMatrix(const math::Matrix4& matrix) = 0;
    virtual math::Matrix4 GetWorldMatrix() = 0;
    // View: the projection.
    virtual void PushViewMatrix() = 0;
    virtual void PopViewMatrix() = 0;
    virtual void SetViewMatrix(const math::Matrix4& matrix) = 0;
    virtual void MultViewMatrix(const math::Matrix4& matrix) = 0;
    virtual math::Matrix4 GetViewMatrix() = 0;

    // Null on failure.
    virtual ITexture* LoadTexture(const Bitmap& bitmap) = 0;
    virtual ITexture* LoadTexture(core::ptr<io::IStream>& stream) = 0;
    virtual void DumpTextures() {}
    virtual ITexture* CreateTexture(unsigned int width, unsigned int height) = 0;
    // Frees the texture pages that no texture uses any more.
    virtual void ClearTextures() = 0;

    virtual void SetBlendingMode(BlendingMode mode) = 0;
    virtual void SetFilteringMode(FilteringMode mode) = 0;
    virtual BlendingMode GetBlendingMode() = 0;
    virtual FilteringMode GetFilteringMode() = 0;

    virtual void SetClipRect(const math::Rect& rect) = 0;
    virtual void DisableClipRect() = 0;
    virtual math::Rect GetClipRect() = 0;
    virtual void PushClipRect() = 0;
    virtual void PopClipRect() = 0;

    virtual void EnableStencil() {}
    virtual void DisableStencil() {}
    virtual void ClearStencil() {}
    virtual void StencilSetWriteMode() {}
    virtual void StencilSetUseMode() {}

    virtual void DrawTri(const math::Vector2& a, const math::Vector2& b, const math::Vector2& c,
                         const Color& color) = 0;
    virtual void DrawRect(const math::Rect& rect, const Color& color) = 0;
    virtual void DrawRect(const math::Rect& rect, const Color& color, const ITexture* texture,
                          const math::Rect& texture_rect) = 0;
    virtual void DrawRect(const math::Rect& rect, const Tile& tile) = 0;
    virtual void DrawQuad(const math::Quad2& quad, const Color& color) = 0;
    virtual void DrawQuad(const math::Quad2& quad, const Color& color, const ITexture* texture,
                          const math::Rect& texture_rect) = 0;
    virtual void DrawQuad(const math::Quad2& quad, const Tile& tile) = 0;
    virtual void DrawRect(const math::Rect& rect, const Color& color, const ITexture* texture,
                          const math::Rect& texture_rect, const Color& color2, const ITexture* texture2,
                          const math::Rect& texture_rect2) = 0;

    // Texture coordinates in vertex buffers are page coordinates (ITexture::get_abs_coord).
    virtual IVertexBuffer* CreateVertexBuffer(unsigned int reserved) = 0;
    virtual void DrawVertexBuffer(IVertexBuffer* vertices, const ITexture* texture) = 0;
    virtual IIndexBuffer* CreateIndexBuffer(unsigned int reserved) = 0;
    virtual void DrawVertexBuffer(IVertexBuffer* vertices, IIndexBuffer* indices,
                                  const ITexture* texture) = 0;

    // Colour forcing replaces the colour of rectangle, triangle and plain vertex-buffer draws.
    virtual void ForceColor(const Color&) {}
    virtual void UnForceColor() {}
    virtual void ForceColorAlpha(float) {}
    virtual void UnForceColorAlpha() {}
    virtual void PushColorForce() {}
    virtual void PopColorForce() {}

    virtual void SetSystemCursor(const core::ptr<ITexture>&) {}
};

}  // namespace render
