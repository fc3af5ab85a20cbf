#include "vantle/render/ogl/vertexbuffer_ogl.h"

#include <algorithm>

namespace render {

VertexBufferOGL::VertexBufferOGL(unsigned int reserved)
    : _vertices(reserved), _count(reserved), _reserved(reserved) {}

void VertexBufferOGL::SetCount(unsigned int count) {
    _count = count < _reserved ? count : _reserved;
}

void VertexBufferOGL::SetVertex(unsigned int index, const math::Vector3& position, const math::Vector2& uv,
                                const Color& color) {
    if (!_locked || index >= _count) return;
    _vertices[index] = Vertex{position, uv, color};
}

void VertexBufferOGL::SetVertices(unsigned int first, const Vertex* vertices, unsigned int count) {
    if (!_locked || first >= _count) return;
    const unsigned int stored = std::min(count, _count - first);
    std::copy(vertices, vertices + stored, _vertices.begin() + first);
}

}  // namespace render
