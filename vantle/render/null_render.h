#pragma once

#include "vantle/render/irender.h"

namespace render {

// What drawing code gets while no back end is installed: every draw and state change does nothing,
// every query answers a neutral value (identity matrices, an empty clip rectangle), and nothing is made
// (textures and buffers are null, windows do not open).
class NullRender : public IRender {
public:
    bool OpenWindow(int, int, int, bool) override { return false; }
    bool ResizeWindow(int, int) override { return false; }
    bool ResizeWindow(bool) override { return false; }
    void BeginScene() override {}
    void EndScene() override {}
    void Clear() override {}
    void Reset() override {}
    void SetOrtho(float, float) override {}

    void PushWorldMatrix() override {}
    void PopWorldMatrix() override {}
    void SetWorldMatrix(const math::Matrix4&) override {}
    void MultWorldMatrix(const math::Matrix4&) override {}
    math::Matrix4 GetWorldMatrix() override { return math::Matrix4::IDENTITY; }
    void PushViewMatrix() override {}
    void PopViewMatrix() override {}
    void SetViewMatrix(const math::Matrix4&) override {}
    void MultViewMatrix(const math::Matrix4&) override {}
    math::Matrix4 GetViewMatrix() override { return math::Matrix4::IDENTITY; }

    ITexture* LoadTexture(const Bitmap&) override { return nullptr; }
    ITexture* LoadTexture(core::ptr<io::IStream>&) override { return nullptr; }
    ITexture* CreateTexture(unsigned int, unsigned int) override { return nullptr; }
    void ClearTextures() override {}

    void SetBlendingMode(BlendingMode) override {}
    void SetFilteringMode(FilteringMode) override {}
    BlendingMode GetBlendingMode() override { return BLEND_NONE; }
    FilteringMode GetFilteringMode() override { return FILTER_UNSET; }

    void SetClipRect(const math::Rect&) override {}
    void DisableClipRect() override {}
    math::Rect GetClipRect() override { return math::Rect(); }
    void PushClipRect() override {}
    void PopClipRect() override {}

    void DrawTri(const math::Vector2&, const math::Vector2&, const math::Vector2&, const Color&) override {}
    void DrawRect(const math::Rect&, const Color&) override {}
    void DrawRect(const math::Rect&, const Color&, const ITexture*, const math::Rect&) override {}
    void DrawRect(const math::Rect&, const Tile&) override {}
    void DrawQuad(const math::Quad2&, const Color&) override {}
    void DrawQuad(const math::Quad2&, const Color&, const ITexture*, const math::Rect&) override {}
    void DrawQuad(const math::Quad2&, const Tile&) override {}
    void DrawRect(const math::Rect&, const Color&, const ITexture*, const math::Rect&, const Color&,
                  const ITexture*, const math::Rect&) override {}

    IVertexBuffer* CreateVertexBuffer(unsigned int) override { return nullptr; }
    void DrawVertexBuffer(IVertexBuffer*, const ITexture*) override {}
    IIndexBuffer* CreateIndexBuffer(unsigned int) override { return nullptr; }
    void DrawVertexBuffer(IVertexBuffer*, IIndexBuffer*, const ITexture*) override {}
};

}  // namespace render
