#include "vantle/render/ogl/render_ogl.h"

#include <GL/gl.h>
#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <typeinfo>

#include "vantle/core/log.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/ogl/base_texture_ogl.h"
#include "vantle/render/ogl/indexbuffer_ogl.h"
#include "vantle/render/ogl/vertexbuffer_ogl.h"
#include "vantle/render/proxy_texture.h"
#include "vantle/render/tile.h"

namespace render {

namespace {

// Corners go half a pixel up and left so that edges fall between pixel centres.
const float kPixelShift = 0.5f;
const GLint kStencilRef = 1;
const GLuint kStencilMask = ~0u;

// Far beyond any screen, and small enough that sizes between such edges still fit an int.
const int kFarthestPixel = 1 << 24;

// Screen units to whole pixels, limited to kFarthestPixel either way; NaN goes to the near side.
int ToPixel(float units) {
    if (!(units > -kFarthestPixel)) return -kFarthestPixel;
    if (!(units < kFarthestPixel)) return kFarthestPixel;
    return static_cast<int>(units);
}

// Every pixel that a DrawRect of the box (screen units, y downwards) touches, whose corners go half a
// unit up and left, and so also text laid from the box's corner; GL counts rows from the bottom.
void Scissor(const math::Rect& box, int viewport_height) {
    const int left = ToPixel(std::floor(box.left - kPixelShift));
    const int top = ToPixel(std::floor(box.top - kPixelShift));
    const int right = std::max(left, ToPixel(std::ceil(box.right - kPixelShift)));
    const int bottom = std::max(top, ToPixel(std::ceil(box.bottom - kPixelShift)));
    glScissor(left, viewport_height - bottom, right - left, bottom - top);
    glEnable(GL_SCISSOR_TEST);
}

// math::Matrix4 is row-major, GL column-major: element (r, c) is GL entry 4c + r.
void ToColumnMajor(const math::Matrix4& matrix, GLfloat out[16]) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) out[4 * c + r] = matrix.m[4 * r + c];
    }
}

math::Matrix4 FromColumnMajor(const GLfloat in[16]) {
    math::Matrix4 matrix;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 4; ++c) matrix.m[4 * r + c] = in[4 * c + r];
    }
    return matrix;
}

void SendColor(const Color& color) {
    glColor4f(color.r, color.g, color.b, color.a);
}

// The colour a draw comes out in; most draws have nothing forced.
Color ForcedColor(const ColorForce& force, const Color& color) {
    return force.IsColorForced() || force.IsAlphaForced() ? force.Apply(color) : color;
}

void SendCorner(float x, float y) {
    glVertex2f(x - kPixelShift, y - kPixelShift);
}

// Buffer positions are sent as they are: whoever filled the buffer placed them.
void SendVertex(const Vertex& vertex) {
    glTexCoord2f(vertex.uv.x, vertex.uv.y);
    glVertex3f(vertex.position.x, vertex.position.y, vertex.position.z);
}

void SendColoredVertex(const Vertex& vertex) {
    SendColor(vertex.color);
    SendVertex(vertex);
}

// Nearly every texture is a proxy itself. Its type's one record is compared by address, which costs no
// call; a copy of the record elsewhere only sends the texture the long way, through the dynamic_cast.
const ProxyTexture* AsExactProxy(const ITexture* texture) {
    if (texture && &typeid(*texture) == &typeid(ProxyTexture))
        return static_cast<const ProxyTexture*>(texture);
    return nullptr;
}

const ProxyTexture* AsProxy(const ITexture* texture) {
    if (const ProxyTexture* proxy = AsExactProxy(texture)) return proxy;
    return dynamic_cast<const ProxyTexture*>(texture);
}

}  // namespace

RenderOGL::RenderOGL() : _pages(kPageSide) {}

RenderOGL::~RenderOGL() = default;

bool RenderOGL::Init(int width, int height, int depth, bool) {
    _window_width = width;
    _window_height = height;
    _depth = depth;
    ApplyBaseState();
    return true;
}

bool RenderOGL::OpenWindow(int, int, int, bool) {
    return false;
}

bool RenderOGL::ResizeWindow(int, int) {
    return true;
}

bool RenderOGL::ResizeWindow(bool) {
    ApplyBaseState();
    return true;
}

void RenderOGL::ApplyBaseState() {
    glEnable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    ForgetBoundTexture();
    ApplyClip();
}

void RenderOGL::BeginScene() {
    // Others may have touched GL between frames.
    ForgetBoundTexture();
    ClearWholeScreen();
    SetBlendingMode(BLEND_ALPHA);
    SetFilteringMode(FILTER_LINEAR);
}

void RenderOGL::EndScene() {
    glFinish();
    SDL_GL_SwapBuffers();
}

void RenderOGL::Clear() {
    ClearWholeScreen();
}

// The scissor test would keep the clear inside the clip box.
void RenderOGL::ClearWholeScreen() {
    glDisable(GL_SCISSOR_TEST);
    glClear(GL_COLOR_BUFFER_BIT);
    ApplyClip();
}

void RenderOGL::SetOrtho(float width, float height) {
    _ortho_width = width;
    _ortho_height = height;
    glViewport(0, 0, static_cast<GLsizei>(width), static_cast<GLsizei>(height));
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0.0, width, height, 0.0, -1.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    SetClipRect(math::Rect(0.0f, 0.0f, width + 1.0f, height + 1.0f));
}

void RenderOGL::PushWorldMatrix() {
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
}

void RenderOGL::PopWorldMatrix() {
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
}

void RenderOGL::SetWorldMatrix(const math::Matrix4& matrix) {
    SetMatrix(GL_MODELVIEW, matrix, false);
}

void RenderOGL::MultWorldMatrix(const math::Matrix4& matrix) {
    SetMatrix(GL_MODELVIEW, matrix, true);
}

math::Matrix4 RenderOGL::GetWorldMatrix() {
    return ReadMatrix(GL_MODELVIEW_MATRIX);
}

void RenderOGL::PushViewMatrix() {
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
}

void RenderOGL::PopViewMatrix() {
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
}

void RenderOGL::SetViewMatrix(const math::Matrix4& matrix) {
    SetMatrix(GL_PROJECTION, matrix, false);
}

void RenderOGL::MultViewMatrix(const math::Matrix4& matrix) {
    SetMatrix(GL_PROJECTION, matrix, true);
}

math::Matrix4 RenderOGL::GetViewMatrix() {
    return ReadMatrix(GL_PROJECTION_MATRIX);
}

void RenderOGL::SetMatrix(unsigned int mode, const math::Matrix4& matrix, bool multiply) {
    GLfloat gl[16];
    ToColumnMajor(matrix, gl);
    glMatrixMode(mode);
    if (multiply) {
        glMultMatrixf(gl);
    } else {
        glLoadMatrixf(gl);
    }
}

math::Matrix4 RenderOGL::ReadMatrix(unsigned int which) const {
    // Without a GL context nothing is written: the identity stands.
    GLfloat gl[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    glGetFloatv(which, gl);
    return FromColumnMajor(gl);
}

ITexture* RenderOGL::LoadTexture(const Bitmap& bitmap) {
    if (!bitmap.valid) return nullptr;
    // A bitmap no page can hold must not leave an empty page behind.
    if (!_pages.Fits(bitmap)) {
        core::Log::instance()->Write("Texture of %ux%u does not fit a %u page", bitmap.width, bitmap.height,
                                     kPageSide);
        return nullptr;
    }
    ITexture* texture = _pages.Place(bitmap);
    // Loading bound the page.
    ForgetBoundTexture();
    return texture;
}

ITexture* RenderOGL::LoadTexture(core::ptr<io::IStream>& stream) {
    if (!stream) return nullptr;
    Bitmap bitmap(stream);
    if (!bitmap.valid) {
        core::Log::instance()->Write("not texture file");
        return nullptr;
    }
    core::Log::instance()->Write("seems like texture file");
    return LoadTexture(bitmap);
}

void RenderOGL::ClearTextures() {
    _pages.RemoveEmpty([](std::size_t listed) {
        std::fprintf(stderr, "removing base texture. %zu textures currently allocated\n", listed);
    });
    ForgetBoundTexture();
}

void RenderOGL::DumpTextures() {
    for (BaseTextureOGL* page : _pages.Get()) {
        std::vector<std::uint8_t> pixels = page->ReadPixels();
        const int side = static_cast<int>(page->GetSide());
        SDL_Surface* surface = SDL_CreateRGBSurfaceFrom(pixels.data(), side, side, 32, side * 4,
#if SDL_BYTEORDER == SDL_BIG_ENDIAN
                                                        0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF);
#else
                                                        0x000000FF, 0x0000FF00, 0x00FF0000, 0xFF000000);
#endif
        if (!surface) continue;
        const std::string file = "textures/" + std::to_string(page->GetHandle()) + ".bmp";
        if (SDL_SaveBMP(surface, file.c_str()) != 0) core::Log::instance()->Write("Can't write " + file);
        SDL_FreeSurface(surface);
    }
    ForgetBoundTexture();
}

void RenderOGL::StoreTextures() {
    for (BaseTextureOGL* page : _pages.Get()) page->Dump();
    ForgetBoundTexture();
}

void RenderOGL::RestoreTextures() {
    for (BaseTextureOGL* page : _pages.Get()) page->Restore();
    ForgetBoundTexture();
}

void RenderOGL::SetBlendingMode(BlendingMode mode) {
    _blending = mode;
    switch (mode) {
        case BLEND_NONE:
            glDisable(GL_BLEND);
            break;
        case BLEND_ALPHA:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
            break;
        case BLEND_ADD:
            glEnable(GL_BLEND);
            glBlendFunc(GL_SRC_ALPHA, GL_ONE);
            break;
        case BLEND_KEEP:
            glEnable(GL_BLEND);
            glBlendFunc(GL_ZERO, GL_ONE);
            break;
        case BLEND_REPLACE:
            glEnable(GL_BLEND);
            glBlendFunc(GL_ONE, GL_ZERO);
            break;
    }
}

void RenderOGL::SetFilteringMode(FilteringMode mode) {
    _filtering = mode;
    _ready_page = nullptr;
    ApplyFilter();
}

void RenderOGL::ApplyFilter() {
    GLint filter;
    switch (_filtering) {
        case FILTER_UNSET:
        case FILTER_POINT:
            filter = GL_NEAREST;
            break;
        case FILTER_LINEAR:
        case FILTER_ANISOTROPIC:
            filter = GL_LINEAR;
            break;
        default:
            return;
    }
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    _bound_filter = _filtering;
}

void RenderOGL::SetTexturing(bool on) {
    if (!on) _ready_page = nullptr;
    if (_texturing_known && _texturing_on == on) return;
    if (on) {
        glEnable(GL_TEXTURE_2D);
    } else {
        glDisable(GL_TEXTURE_2D);
    }
    _texturing_on = on;
    _texturing_known = true;
}

void RenderOGL::UseTexture(const ITexture* texture) {
    const ProxyTexture* proxy = AsProxy(texture);
    UseReadyPage(proxy ? proxy->GetPage() : nullptr);
}

void RenderOGL::UsePage(const BaseTexture* page) {
    // The common case: the page of the draw before, everything set.
    if (page && page == _bound_page && _texturing_known && _texturing_on && _bound_filter == _filtering)
        return;
    SetTexturing(page != nullptr);
    if (!page) return;
    if (page != _bound_page) {
        glBindTexture(GL_TEXTURE_2D, page->GetHandle());
        _bound_page = page;
        _bound_filter = -1;
    }
    if (_bound_filter != _filtering) ApplyFilter();
    _ready_page = page;
}

void RenderOGL::ForgetBoundTexture() {
    _bound_page = nullptr;
    _ready_page = nullptr;
    _bound_filter = -1;
    _texturing_known = false;
}

void RenderOGL::SetClipRect(const math::Rect& rect) {
    _clip.Set(rect, GetWorldMatrix());
    ApplyClip();
}

void RenderOGL::DisableClipRect() {
    for (GLenum plane = GL_CLIP_PLANE0; plane <= GL_CLIP_PLANE3; ++plane) glDisable(plane);
    glDisable(GL_SCISSOR_TEST);
    _clip.Disable();
}

void RenderOGL::PopClipRect() {
    if (!_clip.Pop()) {
        DisableClipRect();
        return;
    }
    ApplyClip();
}

void RenderOGL::ApplyClip() {
    if (!_clip.IsEnabled()) {
        glDisable(GL_SCISSOR_TEST);
        return;
    }
    Scissor(_clip.GetBox(), static_cast<int>(_ortho_height));
}

void RenderOGL::EnableStencil() {
    glEnable(GL_STENCIL_TEST);
    glStencilFunc(GL_EQUAL, kStencilRef, kStencilMask);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void RenderOGL::DisableStencil() {
    glDisable(GL_STENCIL_TEST);
}

void RenderOGL::ClearStencil() {
    glClear(GL_STENCIL_BUFFER_BIT);
}

void RenderOGL::StencilSetWriteMode() {
    glStencilFunc(GL_ALWAYS, kStencilRef, kStencilMask);
    glStencilOp(GL_KEEP, GL_KEEP, GL_REPLACE);
}

void RenderOGL::StencilSetUseMode() {
    glStencilFunc(GL_EQUAL, kStencilRef, kStencilMask);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
}

void RenderOGL::DrawTri(const math::Vector2& a, const math::Vector2& b, const math::Vector2& c,
                        const Color& color) {
    SendColor(ForcedColor(_force, color));
    SetTexturing(false);
    glBegin(GL_TRIANGLES);
    SendCorner(a.x, a.y);
    SendCorner(b.x, b.y);
    SendCorner(c.x, c.y);
    glEnd();
}

void RenderOGL::DrawRect(const math::Rect& rect, const Color& color) {
    SendColor(ForcedColor(_force, color));
    SetTexturing(false);
    glBegin(GL_QUADS);
    SendCorner(rect.left, rect.top);
    SendCorner(rect.right, rect.top);
    SendCorner(rect.right, rect.bottom);
    SendCorner(rect.left, rect.bottom);
    glEnd();
}

// The colour, then each corner with its texture coordinate. Out of line, so that the common draw below
// ends in a jump here and saves no registers of its own around the GL calls.
__attribute__((noinline)) void RenderOGL::SendTexturedQuad(const math::Rect& rect, const Color& color,
                                                           const math::Rect& uv) {
    SendColor(color);
    glBegin(GL_QUADS);
    glTexCoord2f(uv.left, uv.top);
    SendCorner(rect.left, rect.top);
    glTexCoord2f(uv.right, uv.top);
    SendCorner(rect.right, rect.top);
    glTexCoord2f(uv.right, uv.bottom);
    SendCorner(rect.right, rect.bottom);
    glTexCoord2f(uv.left, uv.bottom);
    SendCorner(rect.left, rect.bottom);
    glEnd();
}

// Every tile of a frame comes through here. The common draw, a whole image from the page already in
// use with no colour forced, only checks and jumps; every other draw jumps to the general path.
inline __attribute__((always_inline)) void RenderOGL::DrawTexturedRect(const math::Rect& rect,
                                                                       const Color& color,
                                                                       const ITexture* texture,
                                                                       const math::Rect& texture_rect) {
    const ProxyTexture* proxy = AsExactProxy(texture);
    // A proxy's page is never null, so matching the ready page means one is ready.
    if (!proxy || proxy->GetPage() != _ready_page || _force.IsColorForced() || _force.IsAlphaForced() ||
        !ProxyTexture::IsWhole(texture_rect))
        return DrawAnyTexturedRect(rect, color, texture, texture_rect);
    SendTexturedQuad(rect, color, proxy->GetWholeRect());
}

// Out of line: inlined, its calls would make the common draw save registers too.
__attribute__((noinline)) void RenderOGL::DrawAnyTexturedRect(const math::Rect& rect, const Color& color,
                                                              const ITexture* texture,
                                                              const math::Rect& texture_rect) {
    const ProxyTexture* proxy = AsProxy(texture);
    // Most draws show a whole image, whose page rectangle the proxy keeps.
    math::Rect uv = texture_rect;
    if (proxy && ProxyTexture::IsWhole(texture_rect)) {
        uv = proxy->GetWholeRect();
    } else if (texture) {
        uv = texture->get_abs_trect(texture_rect);
    }
    UseReadyPage(proxy ? proxy->GetPage() : nullptr);
    SendTexturedQuad(rect, ForcedColor(_force, color), uv);
}

void RenderOGL::DrawRect(const math::Rect& rect, const Color& color, const ITexture* texture,
                         const math::Rect& texture_rect) {
    DrawTexturedRect(rect, color, texture, texture_rect);
}

void RenderOGL::DrawRect(const math::Rect& rect, const Tile& tile) {
    DrawTexturedRect(rect, tile.color, tile.GetTexturePointer(), tile.rect);
}

IVertexBuffer* RenderOGL::CreateVertexBuffer(unsigned int reserved) {
    return new VertexBufferOGL(reserved);
}

IIndexBuffer* RenderOGL::CreateIndexBuffer(unsigned int reserved) {
    return new IndexBufferOGL(reserved);
}

void RenderOGL::DrawVertexBuffer(IVertexBuffer* vertices, const ITexture* texture) {
    VertexBufferOGL* buffer = dynamic_cast<VertexBufferOGL*>(vertices);
    if (!buffer) return;
    UseTexture(texture);
    glBegin(GL_TRIANGLES);
    SendForcedVertices(*buffer, buffer->GetCount());
    glEnd();
}

// Forcing is the same for every vertex of a draw, so it is decided once: a forced colour replaces every
// vertex's colour, a forced alpha alone only their alpha.
void RenderOGL::SendForcedVertices(const VertexBufferOGL& buffer, unsigned int count) const {
    if (count == 0) return;
    if (_force.IsColorForced()) {
        SendColor(_force.GetForced());
        for (unsigned int i = 0; i < count; ++i) SendVertex(buffer.Get(i));
        return;
    }
    if (!_force.IsAlphaForced()) {
        for (unsigned int i = 0; i < count; ++i) SendColoredVertex(buffer.Get(i));
        return;
    }
    const float alpha = _force.GetForced().a;
    for (unsigned int i = 0; i < count; ++i) {
        const Vertex& vertex = buffer.Get(i);
        glColor4f(vertex.color.r, vertex.color.g, vertex.color.b, alpha);
        SendVertex(vertex);
    }
}

void RenderOGL::DrawVertexBuffer(IVertexBuffer* vertices, IIndexBuffer* indices, const ITexture* texture) {
    VertexBufferOGL* buffer = dynamic_cast<VertexBufferOGL*>(vertices);
    IndexBufferOGL* index_buffer = dynamic_cast<IndexBufferOGL*>(indices);
    if (!buffer || !index_buffer) return;
    UseTexture(texture);
    const unsigned int vertex_limit = buffer->GetReservedCount();
    const unsigned int count = index_buffer->GetCount();
    glBegin(GL_TRIANGLES);
    for (unsigned int first = 0; first + 3 <= count; first += 3) {
        const unsigned int a = index_buffer->GetIndex(first);
        const unsigned int b = index_buffer->GetIndex(first + 1);
        const unsigned int c = index_buffer->GetIndex(first + 2);
        // A triangle naming a vertex the buffer does not have is left out.
        if (a >= vertex_limit || b >= vertex_limit || c >= vertex_limit) continue;
        // Colour forcing does not reach indexed draws.
        for (unsigned int v : {a, b, c}) SendColoredVertex(buffer->Get(v));
    }
    glEnd();
}

}  // namespace render
