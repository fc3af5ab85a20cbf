#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "support/capture_log.h"
#include "support/recording_render.h"
#include "vantle/render/scopes.h"

namespace {

using test::RecordingRender;

// One of the renderer's state stacks, seen through its guard.
struct Stack {
    const char* name;
    // A guard of this stack on the renderer; with a value, the guard's second form.
    std::function<std::shared_ptr<void>(render::IRender&)> enter;
    std::function<std::shared_ptr<void>(render::IRender&, float)> enter_with;
    // Changes the guarded state as the value says.
    std::function<void(RecordingRender&, float)> change;
    // The guarded state as a number that tells the changes apart.
    std::function<float(RecordingRender&)> read;
};

float WhiteDrawnAs(RecordingRender& renderer) {
    renderer.DrawRect(math::Rect(0, 0, 1, 1), render::Color(1, 1, 1, 1));
    return renderer.Draws().back().color.r;
}

std::vector<Stack> Stacks() {
    return {
        {"world matrix", [](render::IRender& r) { return std::make_shared<render::WorldMatrixScope>(r); },
         [](render::IRender& r, float v) {
             return std::make_shared<render::WorldMatrixScope>(r, math::Translation(math::Vector2(v, 0)));
         },
         [](RecordingRender& r, float v) { r.MultWorldMatrix(math::Translation(math::Vector2(v, 0))); },
         [](RecordingRender& r) { return (r.GetWorldMatrix() * math::Vector2(0, 0)).x; }},
        {"colour forcing", [](render::IRender& r) { return std::make_shared<render::ColorForceScope>(r); },
         [](render::IRender& r, float v) {
             return std::make_shared<render::ColorForceScope>(r, render::Color(v, 1, 1, 1));
         },
         [](RecordingRender& r, float v) { r.ForceColor(render::Color(v, 1, 1, 1)); }, &WhiteDrawnAs},
        {"clip rectangle", [](render::IRender& r) { return std::make_shared<render::ClipRectScope>(r); },
         [](render::IRender& r, float v) {
             return std::make_shared<render::ClipRectScope>(r, math::Rect(0, 0, v, v));
         },
         [](RecordingRender& r, float v) { r.SetClipRect(math::Rect(0, 0, v, v)); },
         [](RecordingRender& r) { return r.GetClipRect().right; }},
    };
}

TEST(DrawingStateScopes, EveryWayOutOfTheScopeRestoresTheState) {
    enum Exit { END, EARLY_RETURN, EXCEPTION };
    for (const Stack& stack : Stacks()) {
        SCOPED_TRACE(stack.name);
        RecordingRender renderer;
        stack.change(renderer, 0.5f);
        const float before = stack.read(renderer);
        const auto draw = [&](Exit exit) {
            auto scope = stack.enter(renderer);
            stack.change(renderer, 0.25f);
            if (exit == EARLY_RETURN) return;
            if (exit == EXCEPTION) throw std::runtime_error("drawing failed");
            stack.change(renderer, 0.125f);
        };
        for (Exit exit : {END, EARLY_RETURN, EXCEPTION}) {
            try {
                draw(exit);
            } catch (const std::runtime_error&) {
            }
            EXPECT_EQ(stack.read(renderer), before) << "exit " << exit;
        }
    }
}

TEST(DrawingStateScopes, NestedScopesRestoreOneLevelEach) {
    for (const Stack& stack : Stacks()) {
        SCOPED_TRACE(stack.name);
        RecordingRender renderer;
        const float outside = stack.read(renderer);
        {
            auto outer = stack.enter(renderer);
            stack.change(renderer, 0.5f);
            const float in_outer = stack.read(renderer);
            EXPECT_NE(in_outer, outside);
            {
                auto inner = stack.enter_with(renderer, 0.25f);
                EXPECT_NE(stack.read(renderer), in_outer);
            }
            EXPECT_EQ(stack.read(renderer), in_outer);
        }
        EXPECT_EQ(stack.read(renderer), outside);
    }
}

// The facade is a process-wide singleton: each test installs its back end and removes it again.
class InstalledRenderer : public ::testing::Test {
protected:
    void TearDown() override { render::Render::instance()->SetImplementation(nullptr); }
};

TEST_F(InstalledRenderer, AGuardPopsTheRendererItPushedOnEvenWhenReplacedMeanwhile) {
    RecordingRender first;
    RecordingRender second;
    render::Render::instance()->SetImplementation(&first);
    {
        render::WorldMatrixScope scope;  // on the installed renderer
        first.MultWorldMatrix(math::Translation(math::Vector2(5, 0)));
        render::Render::instance()->SetImplementation(&second);
    }
    EXPECT_EQ(first.GetWorldMatrix(), math::Matrix4::IDENTITY);
    EXPECT_EQ(second.GetWorldMatrix(), math::Matrix4::IDENTITY);
}

TEST_F(InstalledRenderer, WithoutABackEndDrawingGoesNowhereAndTheAbsenceIsLoggedOnce) {
    RecordingRender installed;
    render::Render* facade = render::Render::instance();
    facade->SetImplementation(&installed);
    EXPECT_EQ(&render::Renderer(), &installed);

    test::CaptureLog log;
    facade->SetImplementation(nullptr);
    render::IRender& none = render::Renderer();
    EXPECT_NE(dynamic_cast<render::NullRender*>(&none), nullptr);
    {
        render::WorldMatrixScope world;
        render::ColorForceScope tint(none, render::Color(1, 0, 0, 1));
        render::ClipRectScope clip(none, math::Rect(0, 0, 10, 10));
        none.DrawRect(math::Rect(0, 0, 1, 1), render::Color(1, 1, 1, 1));
        EXPECT_EQ(none.CreateVertexBuffer(6), nullptr);
        EXPECT_EQ(none.GetWorldMatrix(), math::Matrix4::IDENTITY);
    }
    const std::vector<std::string> once{"No renderer installed: drawing is skipped"};
    EXPECT_EQ(log.Lines(), once);

    // A back end installed and removed again starts a new absence.
    facade->SetImplementation(&installed);
    render::Renderer();
    facade->SetImplementation(nullptr);
    render::Renderer();
    EXPECT_EQ(log.Lines().size(), 2u);
    EXPECT_TRUE(installed.Draws().empty());
}

}  // namespace
