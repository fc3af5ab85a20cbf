#include "support/recording_render.h"

#include <algorithm>

#include "vantle/render/bitmap.h"
#include "vantle/render/ogl/indexbuffer_ogl.h"
#include "vantle/render/ogl/vertexbuffer_ogl.h"
#include "vantle/render/tile.h"

namespace test {

namespace {
const unsigned int kPageSide = 1024;
}

RecordingRender::RecordingRender()
    : _world(math::Matrix4::IDENTITY), _view(math::Matrix4::IDENTITY), _pages(kPageSide) {}

RecordingRender::~RecordingRender() = default;

bool RecordingRender::Called(const std::string& name) const {
    return std::find(_calls.begin(), _calls.end(), name) != _calls.end();
}

void RecordingRender::ClearRecord() {
    _draws.clear();
    _calls.clear();
}

bool RecordingRender::Init(int, int, int, bool) {
    _calls.push_back("Init");
    return true;
}

bool RecordingRender::OpenWindow(int, int, int, bool) {
    _calls.push_back("OpenWindow");
    return false;
}

bool RecordingRender::ResizeWindow(int, int) {
    _calls.push_back("ResizeWindow");
    return true;
}

bool RecordingRender::ResizeWindow(bool) {
    _calls.push_back("ResizeWindowFullscreen");
    return true;
}

void RecordingRender::BeginScene() {
    _calls.push_back("BeginScene");
    _blending = BLEND_ALPHA;
    _filtering = FILTER_LINEAR;
}

void RecordingRender::EndScene() {
    _calls.push_back("EndScene");
}

void RecordingRender::Clear() {
    _calls.push_back("Clear");
}

void RecordingRender::Reset() {
    _calls.push_back("Reset");
}

void RecordingRender::SetOrtho(float width, float height) {
    _ortho_width = width;
    _ortho_height = height;
    _world = math::Matrix4::IDENTITY;
    SetClipRect(math::Rect(0.0f, 0.0f, width + 1.0f, height + 1.0f));
}

void RecordingRender::PopWorldMatrix() {
    if (_world_stack.empty()) return;
    _world = _world_stack.back();
    _world_stack.pop_back();
}

void RecordingRender::PopViewMatrix() {
    if (_view_stack.empty()) return;
    _view = _view_stack.back();
    _view_stack.pop_back();
}

render::ITexture* RecordingRender::LoadTexture(const render::Bitmap& bitmap) {
    if (!bitmap.valid || !_pages.Fits(bitmap)) return nullptr;
    return _pages.Place(bitmap);
}

render::ITexture* RecordingRender::LoadTexture(core::ptr<io::IStream>& stream) {
    if (!stream) return nullptr;
    render::Bitmap bitmap(stream);
    return bitmap.valid ? LoadTexture(bitmap) : nullptr;
}

void RecordingRender::ClearTextures() {
    _calls.push_back("ClearTextures");
    _pages.RemoveEmpty([](std::size_t) {});
}

RecordingRender::Draw& RecordingRender::Record(DrawKind kind, const render::Color& color,
                                               const render::ITexture* texture) {
    Draw draw{kind, math::Rect(), {},        _force.Apply(color), texture,           math::Rect(0, 0, 1, 1),
              0,    _world,       _blending, _filtering,          _clip.IsEnabled(), _clip.GetBox()};
    _draws.push_back(draw);
    return _draws.back();
}

void RecordingRender::DrawTri(const math::Vector2& a, const math::Vector2& b, const math::Vector2& c,
                              const render::Color& color) {
    Record(TRI, color, nullptr).points = {a, b, c};
}

void RecordingRender::DrawRect(const math::Rect& rect, const render::Color& color) {
    Record(RECT, color, nullptr).rect = rect;
}

void RecordingRender::DrawRect(const math::Rect& rect, const render::Color& color,
                               const render::ITexture* texture, const math::Rect& texture_rect) {
    Draw& draw = Record(texture ? TEXTURED_RECT : RECT, color, texture);
    draw.rect = rect;
    draw.texture_rect = texture_rect;
}

void RecordingRender::DrawRect(const math::Rect& rect, const render::Tile& tile) {
    DrawRect(rect, tile.color, tile.GetTexturePointer(), tile.rect);
}

void RecordingRender::RecordQuad(const math::Quad2& quad, DrawKind kind, const render::Color& color,
                                 const render::ITexture* texture, const math::Rect& texture_rect) {
    Draw& draw = Record(kind, color, texture);
    draw.points.assign(std::begin(quad.v), std::end(quad.v));
    draw.texture_rect = texture_rect;
}

void RecordingRender::DrawQuad(const math::Quad2& quad, const render::Color& color) {
    RecordQuad(quad, QUAD, color, nullptr, math::Rect(0, 0, 1, 1));
}

void RecordingRender::DrawQuad(const math::Quad2& quad, const render::Color& color,
                               const render::ITexture* texture, const math::Rect& texture_rect) {
    RecordQuad(quad, texture ? TEXTURED_QUAD : QUAD, color, texture, texture_rect);
}

void RecordingRender::DrawQuad(const math::Quad2& quad, const render::Tile& tile) {
    DrawQuad(quad, tile.color, tile.GetTexturePointer(), tile.rect);
}

void RecordingRender::DrawRect(const math::Rect& rect, const render::Color& color,
                               const render::ITexture* texture, const math::Rect& texture_rect,
                               const render::Color&, const render::ITexture*, const math::Rect&) {
    Draw& draw = Record(TWO_TEXTURE_RECT, color, texture);
    draw.rect = rect;
    draw.texture_rect = texture_rect;
}

render::IVertexBuffer* RecordingRender::CreateVertexBuffer(unsigned int reserved) {
    return new render::VertexBufferOGL(reserved);
}

render::IIndexBuffer* RecordingRender::CreateIndexBuffer(unsigned int reserved) {
    return new render::IndexBufferOGL(reserved);
}

void RecordingRender::DrawVertexBuffer(render::IVertexBuffer* vertices, const render::ITexture* texture) {
    Record(VERTICES, render::Color(1, 1, 1, 1), texture).count = vertices ? vertices->GetCount() : 0;
}

void RecordingRender::DrawVertexBuffer(render::IVertexBuffer* vertices, render::IIndexBuffer* indices,
                                       const render::ITexture* texture) {
    Draw& draw = Record(INDEXED, render::Color(1, 1, 1, 1), texture);
    draw.count = vertices && indices ? indices->GetCount() : 0;
}

}  // namespace test
