#pragma once

#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/math/vec2.h"
#include "vantle/math/vec3.h"
#include "vantle/render/buffers.h"
#include "vantle/render/color.h"
#include "vantle/render/texture.h"
#include "vantle/render/tile.h"

namespace effects {

// A texture drawn over a grid of cells whose corner vertices can be displaced and tinted one by one.
// The picture spans the grid from (0, 0) to its size; where it lands on screen is the caller's world
// transform. A frame goes Lock, Set for the vertices to change, Unlock, then Render.
class DistortionMesh {
public:
    // A grid of columns x rows cells over size. Zero columns or rows count as one; a grid too large for
    // 16-bit indices, or no renderer, gives a mesh that draws nothing.
    DistortionMesh(unsigned int columns, unsigned int rows, const core::ptr<render::ITexture>& texture,
                   const math::Vector2& size);
    ~DistortionMesh() = default;
    DistortionMesh(const DistortionMesh&) = delete;
    DistortionMesh& operator=(const DistortionMesh&) = delete;

    void Lock();
    void Unlock();
    bool IsLocked() const { return locked; }
    // Vertex (column, row) at its resting place plus the displacement, in that colour. Only while locked
    // and inside the grid (column <= columns, row <= rows); otherwise nothing changes.
    void Set(unsigned int column, unsigned int row, const math::Vector3& displacement,
             const render::Color& color);
    // Draws indexed with linear filtering; nothing without a texture.
    void Render();

    unsigned int GetColumns() const { return columns; }
    unsigned int GetRows() const { return rows; }
    const math::Vector2& GetSize() const { return size; }

private:
    struct BaseVertex {
        math::Vector2 uv;
        math::Vector3 position;
    };

    bool CreateBuffers();
    void FillVertices();
    void FillIndices();
    unsigned int VertexIndex(unsigned int column, unsigned int row) const {
        return column + row * (columns + 1);
    }

    unsigned int columns;
    unsigned int rows;
    core::ptr<render::IVertexBuffer> vertexBuffer;
    core::ptr<render::IIndexBuffer> indexBuffer;
    core::ptr<render::ITexture> texture;
    bool locked = false;
    render::Tile tile;
    math::Vector2 size;
    std::vector<BaseVertex> baseVertices;
};

}  // namespace effects
