#pragma once

#include "vantle/math/vec2.h"
#include "vantle/math/vec3.h"
#include "vantle/render/color.h"

namespace render {

// One vertex as drawing code fills it in.
struct Vertex {
    math::Vector3 position;
    math::Vector2 uv;
    Color color;
};

// Vertices made by the renderer for a fixed number of entries (the reserved count); the count says how
// many of them are drawn. Filled between Lock and Unlock.
class IVertexBuffer {
public:
    virtual ~IVertexBuffer() = default;
    virtual void SetCount(unsigned int count) = 0;
    virtual unsigned int GetCount() = 0;
    virtual unsigned int GetReservedCount() = 0;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    virtual void SetVertex(unsigned int index, const math::Vector3& position, const math::Vector2& uv,
                           const Color& color) = 0;
    // Stores count vertices from index first on, as SetVertex would one by one, in one call.
    virtual void SetVertices(unsigned int first, const Vertex* vertices, unsigned int count) {
        for (unsigned int i = 0; i < count; ++i)
            SetVertex(first + i, vertices[i].position, vertices[i].uv, vertices[i].color);
    }
};

// 16-bit vertex indices, drawn three by three as triangles.
class IIndexBuffer {
public:
    virtual ~IIndexBuffer() = default;
    virtual void SetCount(unsigned int count) = 0;
    virtual unsigned int GetCount() = 0;
    virtual unsigned int GetReservedCount() = 0;
    virtual void Lock() = 0;
    virtual void Unlock() = 0;
    virtual void SetIndex(unsigned int position, unsigned int vertex) = 0;
};

}  // namespace render
