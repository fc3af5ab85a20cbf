#include "vantle/gui/mouse.h"

#include <gtest/gtest.h>

#include <vector>

#include "support/gui_fixture.h"
#include "support/png_writer.h"

namespace {

using math::Rect;

using CursorTest = test::GuiTest;

TEST_F(CursorTest, TheCursorCoversA32SquareFromThePointerWhateverItsImage) {
    test::WriteFile(dir / "wide.png", test::EncodePng(64, 16, std::vector<std::uint8_t>(64 * 16 * 4, 255)));
    struct Case {
        const char* image;  // none when empty
        bool updated;
        Rect drawn;
        bool textured;
    };
    const Case cases[] = {
        {"", false, Rect(0, 0, 32, 32), false},
        {"", true, Rect(100, 50, 132, 82), false},
        {"missing.png", true, Rect(100, 50, 132, 82), false},
        {"wide.png", true, Rect(100, 50, 132, 82), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image);
        gui::Mouse cursor;
        if (*c.image) cursor.SetTexture(c.image);
        mouse->position = math::Vector2(100, 50);
        if (c.updated) cursor.Update();
        renderer.ClearRecord();
        cursor.Render();
        ASSERT_EQ(renderer.Draws().size(), 1u);
        EXPECT_EQ(renderer.Draws()[0].rect, c.drawn);
        EXPECT_EQ(renderer.Draws()[0].texture != nullptr, c.textured);
    }
}

}  // namespace
