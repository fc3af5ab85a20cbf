#include <gtest/gtest.h>

#include <memory>

#include "support/gl_window.h"
#include "vantle/effects/distmesh.h"
#include "vantle/math/mat4.h"
#include "vantle/render/bitmap.h"

namespace {

class DistortionMeshGL : public test::GLTest {};

// The picture shares its page with another image: a mesh spreading the whole page would show the
// other image and empty page instead of the picture's two halves.
TEST_F(DistortionMeshGL, DrawsThePictureOverItsGridAndFollowsMovedVertices) {
    render::Bitmap other(200, 120);
    other.fill(render::Color(0.0f, 1.0f, 0.0f, 1.0f));
    core::ptr<render::ITexture> neighbour(Renderer().LoadTexture(other));
    render::Bitmap red(32, 32);
    red.fill(render::Color(1.0f, 0.0f, 0.0f, 1.0f));
    render::Bitmap picture(64, 32);
    picture.fill(render::Color(0.0f, 0.0f, 1.0f, 1.0f));
    picture.insert(red, 0, 0, 0, 0, 32, 32);
    core::ptr<render::ITexture> texture(Renderer().LoadTexture(picture));
    ASSERT_TRUE(neighbour && texture);

    effects::DistortionMesh mesh(4, 2, texture, math::Vector2(200, 100));
    // The right edge pulled 100 units further right.
    mesh.Lock();
    for (unsigned int row = 0; row <= 2; ++row) {
        mesh.Set(4, row, math::Vector3(100, 0, 0), render::Color(1, 1, 1, 1));
    }
    mesh.Unlock();

    math::Matrix4 place;
    place.Move(100, 100, 0);
    Renderer().PushWorldMatrix();
    Renderer().MultWorldMatrix(place);
    mesh.Render();
    Renderer().PopWorldMatrix();

    EXPECT_TRUE(test::NearColor(PixelAt(120, 150), 255, 0, 0, 8));  // left half of the picture
    EXPECT_TRUE(test::NearColor(PixelAt(190, 120), 255, 0, 0, 8));
    EXPECT_TRUE(test::NearColor(PixelAt(230, 150), 0, 0, 255, 8));  // right half
    EXPECT_TRUE(test::NearColor(PixelAt(370, 150), 0, 0, 255, 8));  // stretched with the moved edge
    EXPECT_TRUE(test::NearColor(PixelAt(90, 150), 0, 0, 0, 8));     // outside the grid
    EXPECT_TRUE(test::NearColor(PixelAt(200, 210), 0, 0, 0, 8));
}

}  // namespace
