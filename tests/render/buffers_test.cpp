#include <gtest/gtest.h>

#include "vantle/render/ogl/indexbuffer_ogl.h"
#include "vantle/render/ogl/vertexbuffer_ogl.h"

namespace {

TEST(VertexBuffer, StartsFullAndClampsItsCount) {
    render::VertexBufferOGL buffer(6);
    EXPECT_EQ(buffer.GetCount(), 6u);
    EXPECT_EQ(buffer.GetReservedCount(), 6u);
    const unsigned int counts[][2] = {{3, 3}, {0, 0}, {6, 6}, {7, 6}, {100000, 6}};
    for (const auto& c : counts) {
        buffer.SetCount(c[0]);
        EXPECT_EQ(buffer.GetCount(), c[1]) << c[0];
    }
}

TEST(VertexBuffer, StoresVerticesOnlyWhileLockedAndBelowTheCount) {
    render::VertexBufferOGL buffer(4);
    const math::Vector3 p(1, 2, 3);
    const math::Vector2 uv(0.25f, 0.75f);
    const render::Color c(1, 0, 0, 1);

    buffer.SetVertex(0, p, uv, c);  // unlocked: ignored
    EXPECT_EQ(buffer.GetColor(0), render::Color());

    buffer.SetCount(2);
    buffer.Lock();
    buffer.SetVertex(1, p, uv, c);
    buffer.SetVertex(2, p, uv, c);  // not below the count: ignored
    buffer.SetVertex(4, p, uv, c);  // beyond the storage: ignored
    buffer.Unlock();
    EXPECT_EQ(buffer.GetColor(1), c);
    EXPECT_FLOAT_EQ(buffer.GetPosition(1).z, 3);
    EXPECT_FLOAT_EQ(buffer.GetUV(1).y, 0.75f);
    EXPECT_EQ(buffer.GetColor(2), render::Color());
}

TEST(VertexBuffer, StoresRunsOfVerticesLikeOneByOne) {
    const render::Vertex run[3] = {{{1, 0, 0}, {0.5f, 0}, render::Color(1, 0, 0, 1)},
                                   {{2, 0, 0}, {0.5f, 1}, render::Color(0, 1, 0, 1)},
                                   {{3, 0, 0}, {1, 1}, render::Color(0, 0, 1, 1)}};
    const struct {
        const char* what;
        bool locked;
        unsigned int first;
        float expected_x[4];  // 0 where nothing was stored
    } cases[] = {
        {"unlocked: ignored", false, 0, {0, 0, 0, 0}},
        {"within the count", true, 0, {1, 2, 3, 0}},
        {"cut at the count", true, 2, {0, 0, 1, 0}},
        {"past the count: ignored", true, 3, {0, 0, 0, 0}},
        {"far past the storage: ignored", true, 4000000000u, {0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        render::VertexBufferOGL buffer(4);
        buffer.SetCount(3);
        if (c.locked) buffer.Lock();
        buffer.SetVertices(c.first, run, 3);
        for (unsigned int i = 0; i < 4; ++i) EXPECT_EQ(buffer.GetPosition(i).x, c.expected_x[i]) << i;
    }
    render::VertexBufferOGL buffer(3);
    buffer.Lock();
    buffer.SetVertices(0, run, 3);
    EXPECT_EQ(buffer.GetUV(1).y, 1.0f);
    EXPECT_EQ(buffer.GetColor(2), render::Color(0, 0, 1, 1));
}

TEST(IndexBuffer, KeepsUnsigned16BitIndicesWithinItsStorage) {
    render::IndexBufferOGL buffer(3);
    EXPECT_EQ(buffer.GetCount(), 3u);
    buffer.SetIndex(0, 40000);      // above the signed range: kept as is
    buffer.SetIndex(1, 65536 + 5);  // the low 16 bits
    buffer.SetIndex(2, 65535);
    buffer.SetIndex(3, 1);  // past the reserved count: ignored
    EXPECT_EQ(buffer.GetIndex(0), 40000);
    EXPECT_EQ(buffer.GetIndex(1), 5);
    EXPECT_EQ(buffer.GetIndex(2), 65535);
    buffer.SetCount(10);
    EXPECT_EQ(buffer.GetCount(), 3u);
}

}  // namespace
