#include "vantle/effects/distmesh.h"

#include "vantle/core/log.h"
#include "vantle/render/render.h"

namespace effects {

namespace {

// Indices are 16 bits wide.
const unsigned int kMaxVertices = 65536;

const render::Color kOpaqueWhite(1.0f, 1.0f, 1.0f, 1.0f);

}  // namespace

DistortionMesh::DistortionMesh(unsigned int columns_, unsigned int rows_,
                               const core::ptr<render::ITexture>& texture_, const math::Vector2& size_)
    : columns(columns_), rows(rows_), texture(texture_), size(size_) {
    if (columns == 0 || rows == 0) {
        core::Log::instance()->Write("DistortionMesh: a grid of %u x %u cells, using at least one of each",
                                     columns, rows);
        if (columns == 0) columns = 1;
        if (rows == 0) rows = 1;
    }
    if (!CreateBuffers()) return;
    FillVertices();
    FillIndices();
}

bool DistortionMesh::CreateBuffers() {
    const unsigned long long vertex_count =
        static_cast<unsigned long long>(columns + 1ull) * static_cast<unsigned long long>(rows + 1ull);
    if (vertex_count > kMaxVertices) {
        core::Log::instance()->Write("DistortionMesh: a grid of %u x %u cells has too many vertices", columns,
                                     rows);
        return false;
    }
    render::IRender* renderer = render::Render::instance()->GetImplementation();
    if (!renderer) {
        core::Log::instance()->Write("DistortionMesh: no renderer");
        return false;
    }
    const unsigned int vertices = static_cast<unsigned int>(vertex_count);
    const unsigned int indices = 6 * columns * rows;
    vertexBuffer = core::ptr<render::IVertexBuffer>(renderer->CreateVertexBuffer(vertices));
    indexBuffer = core::ptr<render::IIndexBuffer>(renderer->CreateIndexBuffer(indices));
    if (!vertexBuffer || !indexBuffer) {
        core::Log::instance()->Write("DistortionMesh: the renderer made no buffers");
        vertexBuffer.reset();
        indexBuffer.reset();
        return false;
    }
    vertexBuffer->SetCount(vertices);
    indexBuffer->SetCount(indices);
    baseVertices.resize(vertices);
    return true;
}

void DistortionMesh::FillVertices() {
    const float cell_width = size.x / static_cast<float>(columns);
    const float cell_height = size.y / static_cast<float>(rows);
    const float step_u = (tile.rect.right - tile.rect.left) / static_cast<float>(columns);
    const float step_v = (tile.rect.bottom - tile.rect.top) / static_cast<float>(rows);
    const float scale_x = texture ? texture->GetScaleX() : 1.0f;
    const float scale_y = texture ? texture->GetScaleY() : 1.0f;

    vertexBuffer->Lock();
    for (unsigned int j = 0; j <= rows; ++j) {
        for (unsigned int i = 0; i <= columns; ++i) {
            BaseVertex& vertex = baseVertices[VertexIndex(i, j)];
            vertex.position = math::Vector3(cell_width * i, cell_height * j, 0.0f);
            math::Vector2 uv(tile.rect.left + step_u * i * scale_x, tile.rect.top + step_v * j * scale_y);
            // The renderer draws vertex buffers in page coordinates: spread the picture, not its page.
            vertex.uv = texture ? texture->get_abs_coord(uv) : uv;
            vertexBuffer->SetVertex(VertexIndex(i, j), vertex.position, vertex.uv, kOpaqueWhite);
        }
    }
    vertexBuffer->Unlock();
}

void DistortionMesh::FillIndices() {
    indexBuffer->Lock();
    unsigned int position = 0;
    for (unsigned int j = 0; j < rows; ++j) {
        for (unsigned int i = 0; i < columns; ++i) {
            const unsigned int a = VertexIndex(i, j);
            const unsigned int b = a + 1;
            const unsigned int d = VertexIndex(i, j + 1);
            const unsigned int e = d + 1;
            for (unsigned int index : {a, b, e, e, d, a}) indexBuffer->SetIndex(position++, index);
        }
    }
    indexBuffer->Unlock();
}

void DistortionMesh::Lock() {
    if (locked || !vertexBuffer) return;
    vertexBuffer->Lock();
    locked = true;
}

void DistortionMesh::Unlock() {
    if (!locked) return;
    vertexBuffer->Unlock();
    locked = false;
}

void DistortionMesh::Set(unsigned int column, unsigned int row, const math::Vector3& displacement,
                         const render::Color& color) {
    if (!locked || column > columns || row > rows) return;
    const unsigned int index = VertexIndex(column, row);
    const BaseVertex& base = baseVertices[index];
    vertexBuffer->SetVertex(index, base.position + displacement, base.uv, color);
}

void DistortionMesh::Render() {
    if (!vertexBuffer || !indexBuffer || !texture) return;
    render::IRender& renderer = render::Renderer();
    renderer.SetFilteringMode(render::IRender::FILTER_LINEAR);
    renderer.DrawVertexBuffer(vertexBuffer.get(), indexBuffer.get(), texture.get());
}

}  // namespace effects
