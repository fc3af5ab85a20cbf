#include <GL/gl.h>
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/gl_window.h"
#include "vantle/render/bitmap.h"
#include "vantle/render/tile.h"

namespace {

using test::NearColor;
using Mode = render::IRender::BlendingMode;

class GLDraw : public test::GLTest {
protected:
    // An 8 by 8 picture of one colour, as a texture.
    std::unique_ptr<render::ITexture> Solid(const render::Color& color) {
        render::Bitmap bitmap(8, 8);
        bitmap.fill(color);
        return std::unique_ptr<render::ITexture>(Renderer().LoadTexture(bitmap));
    }
};

TEST_F(GLDraw, RectanglesAndTrianglesLandWhereAsked) {
    Renderer().DrawRect(math::Rect(100, 100, 200, 200), render::Color(1, 0, 0, 1));
    Renderer().DrawTri(math::Vector2(300, 100), math::Vector2(400, 100), math::Vector2(300, 200),
                       render::Color(0, 1, 0, 1));
    const std::vector<test::PixelSample> samples = {
        {150, 150, 255, 0, 0}, {105, 105, 255, 0, 0}, {195, 195, 255, 0, 0}, {90, 150, 0, 0, 0},
        {210, 150, 0, 0, 0},   {320, 120, 0, 255, 0}, {385, 110, 0, 255, 0}, {390, 190, 0, 0, 0},
        {310, 170, 0, 255, 0}, {500, 500, 0, 0, 0},
    };
    ExpectPixels(samples);
}

TEST_F(GLDraw, BlendingModesCombineAsNamed) {
    const struct {
        Mode mode;
        render::Color top;
        int r, g, b;
    } cases[] = {
        {render::IRender::BLEND_ALPHA, render::Color(0, 0, 1, 0.5f), 128, 0, 127},
        {render::IRender::BLEND_ADD, render::Color(0, 0, 1, 0.5f), 255, 0, 127},
        {render::IRender::BLEND_KEEP, render::Color(0, 0, 1, 0.5f), 255, 0, 0},
        {render::IRender::BLEND_REPLACE, render::Color(0, 0, 1, 0.5f), 0, 0, 255},
        {render::IRender::BLEND_NONE, render::Color(0, 1, 0, 0.25f), 0, 255, 0},
    };
    float x = 20;
    for (const auto& c : cases) {
        const math::Rect place(x, 20, x + 40, 60);
        Renderer().SetBlendingMode(render::IRender::BLEND_ALPHA);
        Renderer().DrawRect(place, render::Color(1, 0, 0, 1));
        Renderer().SetBlendingMode(c.mode);
        Renderer().DrawRect(place, c.top);
        EXPECT_EQ(Renderer().GetBlendingMode(), c.mode);
        EXPECT_TRUE(NearColor(PixelAt(static_cast<int>(x) + 20, 40), c.r, c.g, c.b)) << "mode " << c.mode;
        x += 60;
    }
}

TEST_F(GLDraw, UnknownBlendingModeIsOnlyStored) {
    Renderer().SetBlendingMode(render::IRender::BLEND_ADD);
    Renderer().SetBlendingMode(static_cast<Mode>(7));
    EXPECT_EQ(Renderer().GetBlendingMode(), 7);
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(destination, GL_ONE);
}

TEST_F(GLDraw, ForcedColoursReplaceDrawnColoursButNotIndexedOnes) {
    Renderer().ForceColor(render::Color(0, 1, 0, 1));
    Renderer().DrawRect(math::Rect(10, 10, 50, 50), render::Color(1, 1, 1, 1));
    Renderer().ForceColorAlpha(0.5f);
    Renderer().DrawRect(math::Rect(60, 10, 100, 50), render::Color(1, 1, 1, 1));

    std::unique_ptr<render::IVertexBuffer> vertices(Renderer().CreateVertexBuffer(3));
    std::unique_ptr<render::IIndexBuffer> indices(Renderer().CreateIndexBuffer(3));
    vertices->Lock();
    const render::Color blue(0, 0, 1, 1);
    vertices->SetVertex(0, math::Vector3(110, 10, 0), math::Vector2(), blue);
    vertices->SetVertex(1, math::Vector3(190, 10, 0), math::Vector2(), blue);
    vertices->SetVertex(2, math::Vector3(110, 90, 0), math::Vector2(), blue);
    vertices->Unlock();
    for (unsigned int i = 0; i < 3; ++i) indices->SetIndex(i, i);
    Renderer().DrawVertexBuffer(vertices.get(), indices.get(), nullptr);
    Renderer().DrawVertexBuffer(vertices.get(), nullptr);  // plain: forced, translucent green on blue

    Renderer().PushColorForce();
    Renderer().UnForceColor();
    Renderer().UnForceColorAlpha();
    Renderer().DrawRect(math::Rect(210, 10, 250, 50), render::Color(1, 0, 0, 1));
    Renderer().PopColorForce();
    Renderer().PopColorForce();  // unpaired: nothing changes
    Renderer().DrawRect(math::Rect(260, 10, 300, 50), render::Color(1, 1, 1, 1));

    EXPECT_TRUE(NearColor(PixelAt(30, 30), 0, 255, 0));
    EXPECT_TRUE(NearColor(PixelAt(80, 30), 0, 127, 0));
    EXPECT_TRUE(NearColor(PixelAt(125, 25), 0, 127, 127));
    EXPECT_TRUE(NearColor(PixelAt(230, 30), 255, 0, 0));
    EXPECT_TRUE(NearColor(PixelAt(280, 30), 0, 127, 0));
}

TEST_F(GLDraw, ForcedAlphaAloneKeepsEachVertexsOwnColour) {
    std::unique_ptr<render::IVertexBuffer> vertices(Renderer().CreateVertexBuffer(6));
    const render::Vertex triangles[6] = {
        {{10, 200, 0}, {}, render::Color(1, 0, 0, 1)},     {{90, 200, 0}, {}, render::Color(1, 0, 0, 1)},
        {{10, 280, 0}, {}, render::Color(1, 0, 0, 1)},     {{110, 200, 0}, {}, render::Color(0, 0, 1, 0.2f)},
        {{190, 200, 0}, {}, render::Color(0, 0, 1, 0.2f)}, {{110, 280, 0}, {}, render::Color(0, 0, 1, 0.2f)},
    };
    vertices->Lock();
    vertices->SetVertices(0, triangles, 6);
    vertices->Unlock();
    Renderer().ForceColorAlpha(0.5f);
    Renderer().DrawVertexBuffer(vertices.get(), nullptr);
    Renderer().UnForceColorAlpha();
    EXPECT_TRUE(NearColor(PixelAt(20, 210), 127, 0, 0));
    EXPECT_TRUE(NearColor(PixelAt(120, 210), 0, 0, 127));
}

// The renderer keeps track of the texturing it switched on; loading a page switches it off behind it.
TEST_F(GLDraw, TexturedAndPlainDrawsAlternateAcrossPageLoads) {
    const std::unique_ptr<render::ITexture> first = Solid(render::Color(0, 1, 0, 1));
    const math::Rect whole(0, 0, 1, 1);
    Renderer().DrawRect(math::Rect(10, 300, 50, 340), render::Color(1, 1, 1, 1), first.get(), whole);
    Renderer().DrawRect(math::Rect(60, 300, 100, 340), render::Color(1, 0, 0, 1));
    const std::unique_ptr<render::ITexture> second = Solid(render::Color(0, 0, 1, 1));
    Renderer().DrawRect(math::Rect(110, 300, 150, 340), render::Color(1, 1, 1, 1), second.get(), whole);
    Renderer().DrawRect(math::Rect(160, 300, 200, 340), render::Color(1, 1, 1, 1), first.get(), whole);
    EXPECT_TRUE(NearColor(PixelAt(30, 320), 0, 255, 0));
    EXPECT_TRUE(NearColor(PixelAt(80, 320), 255, 0, 0));
    EXPECT_TRUE(NearColor(PixelAt(130, 320), 0, 0, 255));
    EXPECT_TRUE(NearColor(PixelAt(180, 320), 0, 255, 0));
}

// A whole image from the page already in use takes the renderer's short way; forcing must reach it too.
TEST_F(GLDraw, ForcedColoursReachTexturedDrawsFromThePageInUse) {
    const std::unique_ptr<render::ITexture> texture = Solid(render::Color(1, 1, 1, 1));
    const math::Rect whole(0, 0, 1, 1);
    Renderer().DrawRect(math::Rect(10, 400, 50, 440), render::Color(1, 1, 1, 1), texture.get(), whole);
    Renderer().ForceColor(render::Color(0, 1, 0, 1));
    Renderer().DrawRect(math::Rect(60, 400, 100, 440), render::Color(1, 1, 1, 1), texture.get(), whole);
    Renderer().UnForceColor();
    Renderer().ForceColorAlpha(0.5f);
    Renderer().DrawRect(math::Rect(110, 400, 150, 440), render::Color(1, 0, 0, 1), texture.get(), whole);
    Renderer().UnForceColorAlpha();
    Renderer().DrawRect(math::Rect(160, 400, 200, 440), render::Color(0, 0, 1, 1), texture.get(), whole);
    ExpectPixels(
        {{30, 420, 255, 255, 255}, {80, 420, 0, 255, 0}, {130, 420, 127, 0, 0}, {180, 420, 0, 0, 255}});
}

TEST_F(GLDraw, VertexBuffersDrawTheirCountOfTriangles) {
    std::unique_ptr<render::IVertexBuffer> vertices(Renderer().CreateVertexBuffer(6));
    const render::Color yellow(1, 1, 0, 1);
    const math::Vector3 corners[6] = {{100, 300, 0}, {200, 300, 0}, {100, 400, 0},
                                      {300, 300, 0}, {400, 300, 0}, {300, 400, 0}};
    vertices->Lock();
    for (unsigned int i = 0; i < 6; ++i) vertices->SetVertex(i, corners[i], math::Vector2(), yellow);
    vertices->Unlock();
    vertices->SetCount(3);  // only the first triangle
    Renderer().DrawVertexBuffer(vertices.get(), nullptr);
    EXPECT_TRUE(NearColor(PixelAt(120, 320), 255, 255, 0));
    EXPECT_TRUE(NearColor(PixelAt(320, 320), 0, 0, 0));

    vertices->SetCount(60);  // clamped to the six it has
    EXPECT_EQ(vertices->GetCount(), 6u);
    Renderer().DrawVertexBuffer(vertices.get(), nullptr);
    EXPECT_TRUE(NearColor(PixelAt(320, 320), 255, 255, 0));
}

TEST_F(GLDraw, IndexedTrianglesNamingMissingVerticesAreLeftOut) {
    std::unique_ptr<render::IVertexBuffer> vertices(Renderer().CreateVertexBuffer(4));
    std::unique_ptr<render::IIndexBuffer> indices(Renderer().CreateIndexBuffer(9));
    const math::Vector3 corners[4] = {{500, 300, 0}, {600, 300, 0}, {600, 400, 0}, {500, 400, 0}};
    vertices->Lock();
    for (unsigned int i = 0; i < 4; ++i)
        vertices->SetVertex(i, corners[i], math::Vector2(), render::Color(0, 1, 1, 1));
    vertices->Unlock();
    const unsigned int order[9] = {0, 1, 2, 0, 2, 40000, 0, 2, 3};
    indices->Lock();
    for (unsigned int i = 0; i < 9; ++i) indices->SetIndex(i, order[i]);
    indices->Unlock();
    indices->SetCount(6);  // the first triangle and the broken one
    Renderer().DrawVertexBuffer(vertices.get(), indices.get(), nullptr);
    EXPECT_TRUE(NearColor(PixelAt(590, 310), 0, 255, 255));
    EXPECT_TRUE(NearColor(PixelAt(510, 390), 0, 0, 0));

    indices->SetCount(9);
    Renderer().DrawVertexBuffer(vertices.get(), indices.get(), nullptr);
    EXPECT_TRUE(NearColor(PixelAt(510, 390), 0, 255, 255));
}

TEST_F(GLDraw, WorldMatrixMovesDrawingAndReadsBackRowMajor) {
    math::Matrix4 move;
    move.Move(100, 50, 0);
    Renderer().PushWorldMatrix();
    Renderer().SetWorldMatrix(move);
    EXPECT_EQ(Renderer().GetWorldMatrix(), move);
    math::Matrix4 scale;
    scale.Scale(2, 2, 1);
    Renderer().MultWorldMatrix(scale);
    EXPECT_EQ(Renderer().GetWorldMatrix(), move * scale);
    Renderer().DrawRect(math::Rect(0, 0, 20, 20), render::Color(1, 0, 1, 1));  // lands on (100, 50)-(140, 90)
    Renderer().PopWorldMatrix();
    EXPECT_EQ(Renderer().GetWorldMatrix(), math::Matrix4::IDENTITY);
    Renderer().DrawRect(math::Rect(0, 0, 20, 20), render::Color(1, 1, 1, 1));

    EXPECT_TRUE(NearColor(PixelAt(135, 85), 255, 0, 255));
    EXPECT_TRUE(NearColor(PixelAt(145, 95), 0, 0, 0));
    EXPECT_TRUE(NearColor(PixelAt(10, 10), 255, 255, 255));
    EXPECT_TRUE(NearColor(PixelAt(30, 30), 0, 0, 0));
}

TEST_F(GLDraw, OrthoSetsViewportProjectionAndClip) {
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[2], 800);
    EXPECT_EQ(viewport[3], 600);
    const math::Rect clip = Renderer().GetClipRect();
    EXPECT_FLOAT_EQ(clip.right, 801);
    EXPECT_FLOAT_EQ(clip.bottom, 601);
    const math::Matrix4 view = Renderer().GetViewMatrix();
    EXPECT_FLOAT_EQ(view(0, 0), 2.0f / 800);
    EXPECT_FLOAT_EQ(view(0, 3), -1);
    EXPECT_FLOAT_EQ(view(1, 1), -2.0f / 600);
    EXPECT_FLOAT_EQ(view(1, 3), 1);

    // A view matrix that halves everything.
    math::Matrix4 half;
    half.Scale(0.5f, 0.5f, 1);
    Renderer().PushViewMatrix();
    Renderer().MultViewMatrix(half);
    EXPECT_EQ(Renderer().GetViewMatrix(), view * half);
    Renderer().DrawRect(math::Rect(400, 300, 800, 600), render::Color(0, 0, 1, 1));
    Renderer().PopViewMatrix();
    EXPECT_EQ(Renderer().GetViewMatrix(), view);
    Renderer().SetViewMatrix(view);
    // (400, 300)-(800, 600) halved lands on (200, 150)-(400, 300).
    EXPECT_TRUE(NearColor(PixelAt(300, 225), 0, 0, 255));
    EXPECT_TRUE(NearColor(PixelAt(500, 400), 0, 0, 0));
}

// A clipped window inside another: the inner rectangle within the outer, both where the world matrix
// puts them; popping brings each back, and clearing the screen reaches past any of them.
TEST_F(GLDraw, ClippingKeepsDrawingInsideTheRectangleWhereTheWorldPlacesIt) {
    const math::Rect everywhere(-100, -100, 700, 500);
    Renderer().PushWorldMatrix();
    Renderer().MultWorldMatrix(math::Translation(math::Vector2(100, 100)));
    Renderer().PushClipRect();
    Renderer().SetClipRect(math::Rect(0, 0, 100, 50));
    Renderer().DrawRect(everywhere, render::Color(1, 0, 0, 1));
    Renderer().PushClipRect();
    Renderer().SetClipRect(math::Rect(50, -20, 200, 30));
    Renderer().DrawRect(everywhere, render::Color(0, 1, 0, 1));
    Renderer().PopClipRect();
    Renderer().PopClipRect();
    Renderer().PopWorldMatrix();
    Renderer().DrawRect(math::Rect(400, 400, 450, 450), render::Color(0, 0, 1, 1));
    ExpectPixels({
        {120, 120, 255, 0, 0},
        {170, 110, 0, 255, 0},
        {170, 140, 255, 0, 0},
        {90, 120, 0, 0, 0},
        {120, 160, 0, 0, 0},
        {250, 110, 0, 0, 0},
        {420, 420, 0, 0, 255},
    });

    Renderer().PushClipRect();
    Renderer().SetClipRect(math::Rect(0, 0, 10, 10));
    Renderer().Clear();
    EXPECT_TRUE(NearColor(PixelAt(120, 120), 0, 0, 0)) << "a clear is not clipped";
    Renderer().DrawRect(everywhere, render::Color(1, 1, 1, 1));
    EXPECT_TRUE(NearColor(PixelAt(120, 120), 0, 0, 0)) << "the clip stays after the clear";
    Renderer().PopClipRect();
}

TEST_F(GLDraw, StencilMaskLimitsTheContent) {
    GLint stencil_bits = 0;
    glGetIntegerv(GL_STENCIL_BITS, &stencil_bits);
    ASSERT_GT(stencil_bits, 0);

    Renderer().ClearStencil();
    Renderer().EnableStencil();
    Renderer().StencilSetWriteMode();
    Renderer().SetBlendingMode(render::IRender::BLEND_KEEP);
    Renderer().DrawTri(math::Vector2(100, 100), math::Vector2(300, 100), math::Vector2(100, 300),
                       render::Color(1, 1, 1, 1));
    EXPECT_TRUE(NearColor(PixelAt(120, 120), 0, 0, 0));  // the mask itself leaves no colour
    Renderer().StencilSetUseMode();
    Renderer().SetBlendingMode(render::IRender::BLEND_ALPHA);
    Renderer().DrawRect(math::Rect(50, 50, 350, 350), render::Color(1, 0.5f, 0, 1));
    Renderer().DisableStencil();

    EXPECT_TRUE(NearColor(PixelAt(120, 120), 255, 128, 0));
    EXPECT_TRUE(NearColor(PixelAt(280, 280), 0, 0, 0));
    EXPECT_TRUE(NearColor(PixelAt(70, 70), 0, 0, 0));
    Renderer().DrawRect(math::Rect(270, 270, 290, 290), render::Color(1, 1, 1, 1));
    EXPECT_TRUE(NearColor(PixelAt(280, 280), 255, 255, 255));
}

// A bitmap whose left half is red and right half blue, framed as decoded images are.
std::unique_ptr<render::ITexture> SplitTexture(render::RenderOGL& renderer) {
    render::Bitmap bitmap(18, 10);
    const std::uint32_t red = render::Bitmap::Pack(255, 0, 0, 255);
    const std::uint32_t blue = render::Bitmap::Pack(0, 0, 255, 255);
    for (unsigned int y = 1; y < 9; ++y) {
        for (unsigned int x = 1; x < 17; ++x) bitmap.pixels[y * 18 + x] = x < 9 ? red : blue;
    }
    return std::unique_ptr<render::ITexture>(renderer.LoadTexture(bitmap));
}

TEST_F(GLDraw, TexturedRectanglesAndTilesShowTheirPartInTheirColour) {
    // Something else on the page first, so the texture does not sit at the page's corner.
    std::unique_ptr<render::ITexture> other(Renderer().LoadTexture(render::Bitmap(40, 40)));
    std::unique_ptr<render::ITexture> texture = SplitTexture(Renderer());
    ASSERT_TRUE(texture);
    Renderer().SetFilteringMode(render::IRender::FILTER_POINT);
    Renderer().DrawRect(math::Rect(100, 100, 300, 200), render::Color(1, 1, 1, 1), texture.get(),
                        math::Rect(0, 0, 1, 1));
    Renderer().DrawRect(math::Rect(400, 100, 500, 200), render::Color(1, 1, 1, 1), texture.get(),
                        math::Rect(0.5f, 0, 1, 1));
    core::ptr<render::ITexture> shared(SplitTexture(Renderer()).release());
    const render::Tile tile(shared, math::Rect(0, 0, 0.5f, 1), render::Color(0.5f, 1, 1, 1));
    Renderer().DrawRect(math::Rect(100, 300, 200, 400), tile);
    const render::Tile plain(core::ptr<render::ITexture>(), render::Color(0, 1, 0, 1));
    Renderer().DrawRect(math::Rect(300, 300, 400, 400), plain);

    const std::vector<test::PixelSample> samples = {
        {110, 110, 255, 0, 0}, {190, 190, 255, 0, 0}, {210, 110, 0, 0, 255}, {290, 190, 0, 0, 255},
        {410, 110, 0, 0, 255}, {490, 190, 0, 0, 255}, {150, 350, 128, 0, 0}, {350, 350, 0, 255, 0},
    };
    ExpectPixels(samples);
}

TEST_F(GLDraw, TexturesShareAPageUntilCleared) {
    std::unique_ptr<render::ITexture> a(Renderer().LoadTexture(render::Bitmap(100, 100)));
    std::unique_ptr<render::ITexture> b(Renderer().LoadTexture(render::Bitmap(100, 100)));
    std::unique_ptr<render::ITexture> big(Renderer().LoadTexture(render::Bitmap(1000, 1000)));
    ASSERT_TRUE(a && b && big);
    EXPECT_EQ(Renderer().GetPages().size(), 2u);
    EXPECT_EQ(Renderer().LoadTexture(render::Bitmap(1025, 1)), nullptr);
    EXPECT_EQ(Renderer().GetPages().size(), 2u);
    big.reset();
    testing::internal::CaptureStderr();
    Renderer().ClearTextures();
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "removing base texture. 1 textures currently allocated\n");
    EXPECT_EQ(Renderer().GetPages().size(), 1u);
}

}  // namespace
