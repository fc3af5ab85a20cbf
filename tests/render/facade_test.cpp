#include <gtest/gtest.h>

#include "support/recording_render.h"
#include "vantle/render/render.h"

namespace {

// The facade is a process-wide singleton: each test installs its back end and removes it again.
class RenderFacade : public ::testing::Test {
protected:
    void TearDown() override { render::Render::instance()->SetImplementation(nullptr); }
    render::Render* facade = render::Render::instance();
};

TEST_F(RenderFacade, WithoutBackEndIsHarmless) {
    facade->SetImplementation(nullptr);
    EXPECT_EQ(facade->GetImplementation(), nullptr);
    EXPECT_EQ(facade->GetLOD(), 10u);
    const float before = facade->GetScaleX();
    facade->ResizeWindow(1024, 768);
    EXPECT_FLOAT_EQ(facade->GetScaleX(), before);
    EXPECT_FALSE(facade->ResizeWindow(true));
    EXPECT_FALSE(facade->OpenWindow(800, 600, 32, false));
    facade->Restore();
    facade->EnableStencil();
    facade->SetSystemCursor(core::ptr<render::ITexture>());
}

TEST_F(RenderFacade, KeepsItsOwnOrthoSizeAndForwards) {
    test::RecordingRender back_end;
    facade->SetImplementation(&back_end);
    // Setting the back end's ortho size directly, as the application does, leaves the facade's alone.
    back_end.SetOrtho(800, 600);
    EXPECT_FLOAT_EQ(facade->GetOrthoWidth(), 640);
    EXPECT_FLOAT_EQ(facade->GetOrthoHeight(), 480);

    facade->SetOrtho(800, 600);
    facade->OpenWindow(1600, 1200, 32, false);
    EXPECT_FLOAT_EQ(facade->GetScaleX(), 0.5f);
    EXPECT_FLOAT_EQ(facade->GetScaleY(), 0.5f);
    EXPECT_TRUE(back_end.Called("OpenWindow"));

    back_end.SetOrtho(1, 1);
    facade->ResizeWindow(400, 300);
    EXPECT_FLOAT_EQ(facade->GetScaleX(), 2.0f);
    EXPECT_FLOAT_EQ(back_end.OrthoWidth(), 800);  // the facade's ortho size was handed on

    EXPECT_TRUE(facade->ResizeWindow(true));
    EXPECT_TRUE(back_end.Called("ResizeWindowFullscreen"));
    facade->EnableStencil();
    facade->DisableStencil();
    EXPECT_TRUE(back_end.Called("EnableStencil"));
    EXPECT_TRUE(back_end.Called("DisableStencil"));
    facade->SetLOD(3);
    EXPECT_EQ(facade->GetLOD(), 3u);
    facade->SetLOD(10);
}

TEST_F(RenderFacade, RecordingBackEndKeepsMatricesColoursAndClipping) {
    test::RecordingRender back_end;
    back_end.SetOrtho(800, 600);
    EXPECT_TRUE(back_end.IsClipEnabled());
    EXPECT_FLOAT_EQ(back_end.GetClipRect().right, 801);

    math::Matrix4 move;
    move.Move(10, 20, 0);
    back_end.PushWorldMatrix();
    back_end.MultWorldMatrix(move);
    back_end.ForceColorAlpha(0.5f);
    back_end.DrawRect(math::Rect(0, 0, 5, 5), render::Color(1, 0, 0, 1));
    back_end.PopWorldMatrix();
    back_end.UnForceColorAlpha();
    back_end.DrawTri(math::Vector2(0, 0), math::Vector2(1, 0), math::Vector2(0, 1),
                     render::Color(0, 1, 0, 1));

    ASSERT_EQ(back_end.Draws().size(), 2u);
    EXPECT_EQ(back_end.Draws()[0].world, move);
    EXPECT_EQ(back_end.Draws()[0].color, render::Color(1, 0, 0, 0.5f));
    EXPECT_EQ(back_end.Draws()[1].world, math::Matrix4::IDENTITY);
    EXPECT_EQ(back_end.Draws()[1].kind, test::RecordingRender::TRI);

    back_end.PopClipRect();
    EXPECT_FALSE(back_end.IsClipEnabled());
}

}  // namespace
