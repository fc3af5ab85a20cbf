#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>

#include "support/capture_log.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/ogl/base_texture_ogl.h"
#include "vantle/render/ogl/render_ogl.h"

// These run without a GL context: GL hands out no texture names then.
namespace {

TEST(RenderOGLWithoutContext, TextureNameZeroIsAFailure) {
    try {
        render::BaseTextureOGL page(1024);
        FAIL() << "a page without a GL texture was made";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Couldn't create OpenGL texture");
    }
    render::RenderOGL renderer;
    EXPECT_THROW(renderer.LoadTexture(render::Bitmap(4, 4)), std::runtime_error);
    EXPECT_TRUE(renderer.GetPages().empty());
}

TEST(RenderOGLWithoutContext, RefusesWhatNoPageHoldsBeforeMakingAPage) {
    test::CaptureLog log;
    render::RenderOGL renderer;
    EXPECT_EQ(renderer.LoadTexture(render::Bitmap(1025, 10)), nullptr);
    EXPECT_EQ(renderer.LoadTexture(render::Bitmap(10, 2000)), nullptr);
    EXPECT_EQ(renderer.LoadTexture(render::Bitmap(0, 0)), nullptr);
    EXPECT_TRUE(renderer.GetPages().empty());
    EXPECT_TRUE(log.Contains("does not fit"));

    core::ptr<io::IStream> none;
    EXPECT_EQ(renderer.LoadTexture(none), nullptr);
}

TEST(RenderOGLWithoutContext, KeepsModesClipAndColourForcing) {
    render::RenderOGL renderer;
    renderer.SetBlendingMode(static_cast<render::IRender::BlendingMode>(7));
    EXPECT_EQ(renderer.GetBlendingMode(), 7);
    renderer.SetClipRect(math::Rect(1, 2, 3, 4));
    renderer.PushClipRect();
    renderer.SetClipRect(math::Rect(5, 6, 7, 8));
    renderer.PopClipRect();
    EXPECT_TRUE(renderer.IsClipEnabled());
    EXPECT_FLOAT_EQ(renderer.GetClipRect().left, 1);
    renderer.PopClipRect();  // empty stack: clipping off, the rectangle stays
    EXPECT_FALSE(renderer.IsClipEnabled());
    EXPECT_FLOAT_EQ(renderer.GetClipRect().bottom, 4);

    renderer.PopColorForce();  // nothing pushed: no effect
    renderer.ForceColor(render::Color(1, 0, 0, 1));
    renderer.ForceColorAlpha(0.5f);
    EXPECT_EQ(renderer.GetColorForce().Apply(render::Color(1, 1, 1, 1)), render::Color(1, 0, 0, 0.5f));
    renderer.PushColorForce();
    renderer.UnForceColor();
    renderer.UnForceColorAlpha();
    renderer.PopColorForce();
    EXPECT_TRUE(renderer.GetColorForce().IsColorForced());
    EXPECT_EQ(renderer.CreateTexture(4, 4), nullptr);
    std::unique_ptr<render::IVertexBuffer> vertices(renderer.CreateVertexBuffer(12));
    std::unique_ptr<render::IIndexBuffer> indices(renderer.CreateIndexBuffer(18));
    EXPECT_EQ(vertices->GetReservedCount(), 12u);
    EXPECT_EQ(indices->GetReservedCount(), 18u);
}

}  // namespace
