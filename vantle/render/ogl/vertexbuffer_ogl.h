#pragma once

#include <cstdint>
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

    const math::Vector2& GetUV(unsigned int index) const { return _uvs[index]; }
    const Color& GetColor(unsigned int index) const { return _colors[index]; }
    const math::Vector3& GetPosition(unsigned int index) const { return _positions[index]; }

private:
    std::vector<math::Vector2> _uvs;
    std::vector<Color> _colors;
    std::vector<math::Vector3> _positions;
    std::vector<std::uint16_t> _indices;
    bool _locked = false;
    unsigned int _count;
    unsigned int _reserved;
};

}  // namespace render
