#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "support/buffer_keeping_render.h"
#include "support/gui_fixture.h"
#include "vantle/gui/widgets/dmesh.h"

namespace {

class DMeshWidget : public test::GuiTest {
protected:
    // The mesh's buffers are read back from a renderer of their own.
    void SetUp() override {
        GuiTest::SetUp();
        render::Render::instance()->SetImplementation(&keeping);
        WritePictures({"water.png"});
    }
    void TearDown() override {
        render::Render::instance()->SetImplementation(&renderer);
        GuiTest::TearDown();
    }

    // 100 by 50 at (10, 20).
    core::ptr<gui::DMesh> Make(const std::string& attributes) {
        return core::ptr<gui::DMesh>(
            new gui::DMesh(Parse("<dmesh x='10' y='20' w='100' h='50' " + attributes + "/>")));
    }

    // Vertex (i, j) less its resting place.
    math::Vector2 Moved(unsigned int i, unsigned int j, unsigned int columns = 2) const {
        const math::Vector3 p = keeping.vertices->GetPosition(i + j * (columns + 1));
        return math::Vector2(p.x - i * 100.0f / columns, p.y - j * 25.0f);
    }

    test::BufferKeepingRender keeping;
};

TEST_F(DMeshWidget, BothWavesDisplaceTheVerticesByTheTimeSinceCreation) {
    const float t = 0.5f;  // seconds, with param0 2 a base angle of 1
    const struct {
        const char* function;
        unsigned int i, j;
        math::Vector2 moved;
    } cases[] = {
        {"", 0, 0, {3 * std::cos(1.0f), 3 * std::sin(1.0f)}},
        {"function='waves1'", 1, 1, {3 * std::cos(1.5f), 3 * std::sin(1.5f)}},
        {"function='vwaves'", 1, 0, {0, 3 * std::sin(1.5f) * 0.5f}},
        {"function='vwaves'", 2, 2, {0, 3 * std::sin(1.0f) * 1.5f}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.function) + " " + std::to_string(c.i) + "," + std::to_string(c.j));
        clock.Start();
        core::ptr<gui::DMesh> mesh =
            Make(std::string("texture='water.png' mesh_w='2' mesh_h='2' param0='2' param1='4' param2='3' ") +
                 c.function);
        clock.At(static_cast<unsigned int>(t * 1000));
        mesh->Update();
        EXPECT_NEAR(c.moved.x, Moved(c.i, c.j).x, 1e-4f);
        EXPECT_NEAR(c.moved.y, Moved(c.i, c.j).y, 1e-4f);
    }
}

TEST_F(DMeshWidget, FilteringAppliesWhileTheMeshDrawsAndPointIsLeftAfter) {
    const struct {
        const char* attributes;
        render::IRender::FilteringMode after;
        size_t draws;
    } cases[] = {
        {"texture='water.png'", render::IRender::FILTER_LINEAR, 1},
        {"texture='water.png' filtering='linear'", render::IRender::FILTER_POINT, 1},
        {"texture='water.png' filtering='sharp'", render::IRender::FILTER_LINEAR, 1},
        {"filtering='linear'", render::IRender::FILTER_ANISOTROPIC, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        core::ptr<gui::DMesh> mesh = Make(c.attributes);
        keeping.SetFilteringMode(render::IRender::FILTER_ANISOTROPIC);
        keeping.ClearRecord();
        mesh->Update();
        mesh->Render();
        EXPECT_EQ(c.after, keeping.GetFilteringMode());
        ASSERT_EQ(c.draws, keeping.Draws().size());
        if (c.draws) {
            EXPECT_EQ(math::Vector2(10, 20), keeping.Draws()[0].world * math::Vector2());
        }
    }
}

TEST_F(DMeshWidget, ZeroDivisorsAndOversizedGridsAreReplacedAndLogged) {
    const struct {
        const char* attributes;
        unsigned int vertices;
    } cases[] = {
        {"param1='0' mesh_w='0' mesh_h='0'", 4},
        {"mesh_w='0' function='vwaves'", 22},
        {"mesh_w='70000' mesh_h='70000'", 121},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        core::ptr<gui::DMesh> mesh = Make(std::string("texture='water.png' ") + c.attributes);
        mesh->Update();
        EXPECT_EQ(c.vertices, keeping.vertices->GetCount());
        for (unsigned int k = 0; k < keeping.vertices->GetCount(); ++k) {
            EXPECT_TRUE(std::isfinite(keeping.vertices->GetPosition(k).y));
        }
    }
    EXPECT_TRUE(log.Contains("param1 0 taken as 1"));
    EXPECT_TRUE(log.Contains("too fine"));
}

}  // namespace
