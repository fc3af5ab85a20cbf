#include "vantle/render/ogl/base_texture_ogl.h"

#include <GL/gl.h>

#include <stdexcept>

#include "vantle/render/bitmap.h"

namespace render {

namespace {

const GLuint kInvalidName = 0xFFFFFFFFu;
const std::size_t kBytesPerPixel = 4;

void DefineLevel(GLuint name, GLsizei side, const void* pixels) {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, name);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, side, side, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels);
    glDisable(GL_TEXTURE_2D);
}

}  // namespace

BaseTextureOGL::BaseTextureOGL(unsigned int side) : BaseTexture(side) {
    GLuint name = 0;
    glGenTextures(1, &name);
    // No name at all (0) is what GL leaves without a usable context.
    if (name == 0 || name == kInvalidName) throw std::runtime_error("Couldn't create OpenGL texture");
    _name = name;
    DefineLevel(_name, static_cast<GLsizei>(side), nullptr);
}

BaseTextureOGL::~BaseTextureOGL() {
    ReleaseName();
}

void BaseTextureOGL::load(Block* block, const Bitmap& bitmap, unsigned int, unsigned int, unsigned int,
                          unsigned int) {
    if (!block || !bitmap.valid || _name == 0) return;
    const math::Rect& r = block->rect;
    const GLsizei width = static_cast<GLsizei>(r.right - r.left);
    const GLsizei height = static_cast<GLsizei>(r.bottom - r.top);
    // The block was sized from this bitmap; never read past its pixels.
    if (static_cast<unsigned int>(width) > bitmap.width ||
        static_cast<unsigned int>(height) > bitmap.height) {
        return;
    }
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, _name);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, static_cast<GLint>(bitmap.width));
    glTexSubImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(r.left), static_cast<GLint>(r.top), width, height,
                    GL_RGBA, GL_UNSIGNED_BYTE, bitmap.pixels.data());
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glDisable(GL_TEXTURE_2D);
}

void BaseTextureOGL::Orphan() {
    BaseTexture::Orphan();
    ReleaseName();
    _saved.clear();
}

std::vector<std::uint8_t> BaseTextureOGL::ReadPixels() const {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(GetSide()) * GetSide() * kBytesPerPixel);
    if (_name == 0) return pixels;
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, _name);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    glDisable(GL_TEXTURE_2D);
    return pixels;
}

void BaseTextureOGL::Dump() {
    _saved = ReadPixels();
}

void BaseTextureOGL::Restore() {
    if (_saved.empty() || _name == 0) return;
    DefineLevel(_name, static_cast<GLsizei>(GetSide()), _saved.data());
    _saved.clear();
    _saved.shrink_to_fit();
}

void BaseTextureOGL::ReleaseName() {
    if (_name == 0) return;
    glDeleteTextures(1, &_name);
    _name = 0;
}

}  // namespace render
