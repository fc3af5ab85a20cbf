#pragma once

#include <vector>

#include "vantle/render/buffers.h"

namespace render {

// Vertices kept in plain arrays and sent one by one when drawn. The count never exceeds the reserved
// count.
class VertexBufferOGL : public IVertexBuffer {
public:
    explicit VertexBufferOGL(unsigned int reserved);

    void SetCount(unsigned int count) override;
    unsigned int GetCount() override { return _count; }
    unsigned int GetReservedCount() override { return _reserved; }
    void Lock() override { _locked = true; }
    void Unlock() override { _locked = false; }
    // Ignored unless locked and index < count.
    void SetVertex(unsigned int index, const math::Vector3& position, const math::Vector2& uv,
                   const Color& color) override;
    // Likewise: those from the count on are ignored.
    void SetVertices(unsigned int first, const Vertex* vertices, unsigned int count) override;

    const Vertex& Get(unsigned int index) const { return _vertices[index]; }
    const math::Vector2& GetUV(unsigned int index) const { return _vertices[index].uv; }
    const Color& GetColor(unsigned int index) const { return _vertices[index].color; }
    const math::Vector3& GetPosition(unsigned int index) const { return _vertices[index].position; }

private:
    std::vector<Vertex> _vertices;
    bool _locked = false;
    unsigned int _count;
    unsigned int _reserved;
};

}  // namespace render
