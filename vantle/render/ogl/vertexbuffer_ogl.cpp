#include "vantle/render/ogl/vertexbuffer_ogl.h"

namespace render {

VertexBufferOGL::VertexBufferOGL(unsigned int reserved)
    : _uvs(reserved),
      _colors(reserved),
      _positions(reserved),
      _indices(reserved),
      _count(reserved),
      _reserved(reserved) {}

void VertexBufferOGL::SetCount(unsigned int count) {
    _count = count < _reserved ? count : _reserved;
}

void VertexBufferOGL::SetVertex(unsigned int index, const math::Vector3& position, const math::Vector2& uv,
                                const Color& color) {
    if (!_locked || index >= _count) return;
    _positions[index] = position;
    _uvs[index] = uv;
    _colors[index] = color;
    _indices[index] = static_cast<std::uint16_t>(index);
}

}  // namespace render
