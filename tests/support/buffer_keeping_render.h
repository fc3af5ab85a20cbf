#pragma once

#include "support/recording_render.h"
#include "vantle/render/ogl/indexbuffer_ogl.h"
#include "vantle/render/ogl/vertexbuffer_ogl.h"

namespace test {

// A recording renderer that keeps the last vertex and index buffers it made, so a test can read back
// what a mesh wrote into them.
class BufferKeepingRender : public RecordingRender {
public:
    render::IVertexBuffer* CreateVertexBuffer(unsigned int reserved) override {
        vertices = static_cast<render::VertexBufferOGL*>(RecordingRender::CreateVertexBuffer(reserved));
        return vertices;
    }
    render::IIndexBuffer* CreateIndexBuffer(unsigned int reserved) override {
        indices = static_cast<render::IndexBufferOGL*>(RecordingRender::CreateIndexBuffer(reserved));
        return indices;
    }

    render::VertexBufferOGL* vertices = nullptr;
    render::IndexBufferOGL* indices = nullptr;
};

}  // namespace test
