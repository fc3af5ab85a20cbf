#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/buffer_keeping_render.h"
#include "vantle/effects/distmesh.h"
#include "vantle/render/bitmap.h"

namespace {

using test::BufferKeepingRender;

class DistortionMeshTest : public ::testing::Test {
protected:
    void SetUp() override {
        render::Render::instance()->SetImplementation(&renderer);
        // A first picture takes the page's corner, so the mesh's picture sits inside the page.
        render::Bitmap first(100, 60);
        corner = core::ptr<render::ITexture>(renderer.LoadTexture(first));
        render::Bitmap picture(64, 32);
        texture = core::ptr<render::ITexture>(renderer.LoadTexture(picture));
        ASSERT_TRUE(texture);
    }
    void TearDown() override { render::Render::instance()->SetImplementation(nullptr); }

    std::unique_ptr<effects::DistortionMesh> MakeMesh(unsigned int columns, unsigned int rows) {
        return std::unique_ptr<effects::DistortionMesh>(
            new effects::DistortionMesh(columns, rows, texture, math::Vector2(100.0f, 50.0f)));
    }

    BufferKeepingRender renderer;
    core::ptr<render::ITexture> corner;
    core::ptr<render::ITexture> texture;
};

void ExpectNear(const math::Vector2& actual, const math::Vector2& expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f);
    EXPECT_NEAR(actual.y, expected.y, 1e-5f);
}

TEST_F(DistortionMeshTest, GridVerticesAndTrianglesRowByRow) {
    auto mesh = MakeMesh(2, 1);
    ASSERT_NE(renderer.vertices, nullptr);
    ASSERT_NE(renderer.indices, nullptr);
    ASSERT_EQ(renderer.vertices->GetCount(), 6u);
    const std::vector<math::Vector3> positions = {{0, 0, 0},  {50, 0, 0},  {100, 0, 0},
                                                  {0, 50, 0}, {50, 50, 0}, {100, 50, 0}};
    for (unsigned int i = 0; i < positions.size(); ++i) {
        EXPECT_EQ(renderer.vertices->GetPosition(i), positions[i]) << "vertex " << i;
        EXPECT_EQ(renderer.vertices->GetColor(i), render::Color(1, 1, 1, 1)) << "vertex " << i;
    }
    const std::vector<unsigned int> indices = {0, 1, 4, 4, 3, 0, 1, 2, 5, 5, 4, 1};
    ASSERT_EQ(renderer.indices->GetCount(), indices.size());
    for (unsigned int i = 0; i < indices.size(); ++i) EXPECT_EQ(renderer.indices->GetIndex(i), indices[i]);
}

// The renderer draws vertex buffers in page coordinates: the corners of the grid must reach the
// corners of the picture's block, not those of the whole page.
TEST_F(DistortionMeshTest, TextureCoordinatesSpanThePictureNotItsPage) {
    auto mesh = MakeMesh(2, 1);
    ASSERT_NE(renderer.vertices, nullptr);
    const struct {
        unsigned int vertex;
        math::Vector2 picture;
    } cases[] = {
        {0, {0.0f, 0.0f}}, {1, {0.5f, 0.0f}}, {2, {1.0f, 0.0f}}, {3, {0.0f, 1.0f}}, {5, {1.0f, 1.0f}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vertex);
        ExpectNear(renderer.vertices->GetUV(c.vertex), texture->get_abs_coord(c.picture));
    }
    EXPECT_LT(renderer.vertices->GetUV(5).x, 1.0f);
    EXPECT_GT(renderer.vertices->GetUV(0).x + renderer.vertices->GetUV(0).y, 0.0f);
}

TEST_F(DistortionMeshTest, SetMovesAndTintsOneVertexOnlyWhileLockedAndInside) {
    auto mesh = MakeMesh(2, 1);
    ASSERT_NE(renderer.vertices, nullptr);
    const render::Color red(1, 0, 0, 1);

    mesh->Set(2, 1, math::Vector3(5, -5, 1), red);  // not locked: ignored
    EXPECT_EQ(renderer.vertices->GetPosition(5), math::Vector3(100, 50, 0));

    mesh->Lock();
    mesh->Lock();
    mesh->Set(2, 1, math::Vector3(5, -5, 1), red);
    mesh->Set(3, 0, math::Vector3(7, 7, 7), red);  // beyond the last column
    mesh->Set(0, 2, math::Vector3(7, 7, 7), red);  // beyond the last row
    mesh->Set(2, 1, math::Vector3(1, 2, 0), red);  // replaces, does not add
    mesh->Unlock();
    EXPECT_FALSE(mesh->IsLocked());

    EXPECT_EQ(renderer.vertices->GetPosition(5), math::Vector3(101, 52, 0));
    EXPECT_EQ(renderer.vertices->GetColor(5), red);
    ExpectNear(renderer.vertices->GetUV(5), texture->get_abs_coord(math::Vector2(1, 1)));
    for (unsigned int i = 0; i < 5; ++i) EXPECT_EQ(renderer.vertices->GetColor(i), render::Color(1, 1, 1, 1));
    EXPECT_EQ(renderer.vertices->GetPosition(2), math::Vector3(100, 0, 0));
}

TEST_F(DistortionMeshTest, RendersIndexedWithLinearFiltering) {
    auto mesh = MakeMesh(4, 3);
    renderer.SetFilteringMode(render::IRender::FILTER_POINT);
    mesh->Render();
    ASSERT_EQ(renderer.Draws().size(), 1u);
    const auto& draw = renderer.Draws()[0];
    EXPECT_EQ(draw.kind, test::RecordingRender::INDEXED);
    EXPECT_EQ(draw.count, 6u * 4u * 3u);
    EXPECT_EQ(draw.texture, texture.get());
    EXPECT_EQ(renderer.GetFilteringMode(), render::IRender::FILTER_LINEAR);
}

TEST_F(DistortionMeshTest, MeshesThatCannotDrawStaySilent) {
    effects::DistortionMesh untextured(2, 2, core::ptr<render::ITexture>(), math::Vector2(10, 10));
    untextured.Render();
    // No cells would divide by zero: one cell each way instead.
    effects::DistortionMesh empty_grid(0, 0, texture, math::Vector2(10, 10));
    EXPECT_EQ(empty_grid.GetColumns(), 1u);
    EXPECT_EQ(renderer.vertices->GetCount(), 4u);
    // More vertices than 16-bit indices can reach.
    effects::DistortionMesh huge(300, 300, texture, math::Vector2(10, 10));
    huge.Lock();
    huge.Set(0, 0, math::Vector3(1, 1, 1), render::Color());
    huge.Unlock();
    huge.Render();
    EXPECT_TRUE(renderer.Draws().empty());

    render::Render::instance()->SetImplementation(nullptr);
    effects::DistortionMesh no_renderer(2, 2, texture, math::Vector2(10, 10));
    no_renderer.Render();
}

}  // namespace
