#include "vantle/render/ogl/render_ogl.h"

#include <GL/gl.h>
#include <SDL.h>

#include <cstdio>
#include <string>

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

void SendCorner(float x, float y) {
    glVertex2f(x - kPixelShift, y - kPixelShift);
}

// Buffer positions are sent as they are: whoever filled the buffer placed them.
void SendVertex(const VertexBufferOGL& buffer, unsigned int index, const Color& color) {
    SendColor(color);
    const math::Vector2& uv = buffer.GetUV(index);
    glTexCoord2f(uv.x, uv.y);
    const math::Vector3& p = buffer.GetPosition(index);
    glVertex3f(p.x, p.y, p.z);
}

const BaseTexture* PageOf(const ITexture* texture) {
    const ProxyTexture* proxy = dynamic_cast<const ProxyTexture*>(texture);
    return proxy ? proxy->GetPage() : nullptr;
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
}

void RenderOGL::BeginScene() {
    // Others may have touched GL between frames.
    ForgetBoundTexture();
    glClear(GL_COLOR_BUFFER_BIT);
    SetBlendingMode(BLEND_ALPHA);
    SetFilteringMode(FILTER_LINEAR);
}

void RenderOGL::EndScene() {
    glFinish();
    SDL_GL_SwapBuffers();
}

void RenderOGL::Clear() {
    glClear(GL_COLOR_BUFFER_BIT);
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
    GLfloat gl[16];
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

void RenderOGL::UseTexture(const ITexture* texture) {
    const BaseTexture* page = PageOf(texture);
    if (!texture || !page) {
        glDisable(GL_TEXTURE_2D);
        return;
    }
    glEnable(GL_TEXTURE_2D);
    const unsigned int name = page->GetHandle();
    if (!_bound_known || _bound_name != name) {
        glBindTexture(GL_TEXTURE_2D, name);
        _bound_name = name;
        _bound_known = true;
        _bound_filter = -1;
    }
    if (_bound_filter != _filtering) ApplyFilter();
}

void RenderOGL::ForgetBoundTexture() {
    _bound_known = false;
    _bound_filter = -1;
}

void RenderOGL::SetClipRect(const math::Rect& rect) {
    _clip.Set(rect);
}

void RenderOGL::DisableClipRect() {
    for (GLenum plane = GL_CLIP_PLANE0; plane <= GL_CLIP_PLANE3; ++plane) glDisable(plane);
    glDisable(GL_SCISSOR_TEST);
    _clip.Disable();
}

void RenderOGL::PopClipRect() {
    if (!_clip.Pop()) DisableClipRect();
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
    SendColor(_force.Apply(color));
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_TRIANGLES);
    SendCorner(a.x, a.y);
    SendCorner(b.x, b.y);
    SendCorner(c.x, c.y);
    glEnd();
}

void RenderOGL::DrawRect(const math::Rect& rect, const Color& color) {
    SendColor(_force.Apply(color));
    glDisable(GL_TEXTURE_2D);
    glBegin(GL_QUADS);
    SendCorner(rect.left, rect.top);
    SendCorner(rect.right, rect.top);
    SendCorner(rect.right, rect.bottom);
    SendCorner(rect.left, rect.bottom);
    glEnd();
}

void RenderOGL::DrawRect(const math::Rect& rect, const Color& color, const ITexture* texture,
                         const math::Rect& texture_rect) {
    SendColor(_force.Apply(color));
    math::Rect uv = texture_rect;
    if (texture) uv = texture->get_abs_trect(texture_rect);
    UseTexture(texture);
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

void RenderOGL::DrawRect(const math::Rect& rect, const Tile& tile) {
    const ITexture* texture = tile.GetTexturePointer();
    DrawRect(rect, tile.color, texture, tile.rect);
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
    const unsigned int count = buffer->GetCount();
    glBegin(GL_TRIANGLES);
    for (unsigned int i = 0; i < count; ++i) SendVertex(*buffer, i, _force.Apply(buffer->GetColor(i)));
    glEnd();
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
        for (unsigned int v : {a, b, c}) SendVertex(*buffer, v, buffer->GetColor(v));
    }
    glEnd();
}

}  // namespace render
