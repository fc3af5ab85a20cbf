#include "vantle/render/ogl/indexbuffer_ogl.h"

namespace render {

IndexBufferOGL::IndexBufferOGL(unsigned int reserved)
    : _indices(reserved), _count(reserved), _reserved(reserved) {}

void IndexBufferOGL::SetCount(unsigned int count) {
    _count = count < _reserved ? count : _reserved;
}

void IndexBufferOGL::SetIndex(unsigned int position, unsigned int vertex) {
    if (position >= _reserved) return;
    _indices[position] = static_cast<std::uint16_t>(vertex & 0xFFFFu);
}

}  // namespace render
