#include <gtest/gtest.h>

#include <string>

#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/event.h"
#include "vantle/gui/widgets/image_box.h"
#include "vantle/gui/widgets/link.h"
#include "vantle/render/font_cache.h"

namespace {

using gui::Event;
using math::Vector2;

class PictureAndLinkTest : public test::GuiTest {};

TEST_F(PictureAndLinkTest, TheBoundValuesTextPicksThePictureAndAMissKeepsIt) {
    core::Context* context = core::Context::instance();
    context->Set("badge", core::Value("2"));
    gui::ImageBox box(Parse(
        "<imagebox value_key='badge' w='10' h='10'><image key='1' color='ff0000'/><image color='00ff00'/>"
        "<image key='2' color='0000ff'/><image key='2' color='ffff00'/></imagebox>"));
    // Loaded on "2": the later picture of that key.
    ASSERT_TRUE(box.GetCurrent());
    EXPECT_EQ(render::Color(1, 1, 0, 1), box.GetCurrent()->color);
    const struct {
        core::Value value;
        render::Color shown;
    } cases[] = {
        {core::Value("1"), render::Color(1, 0, 0, 1)}, {core::Value("3"), render::Color(1, 0, 0, 1)},
        {core::Value(2), render::Color(1, 1, 0, 1)},   {core::Value(1.0f), render::Color(1, 0, 0, 1)},
        {core::Value(""), render::Color(1, 0, 0, 1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.as_string());
        context->Set("badge", c.value);
        ASSERT_TRUE(box.GetCurrent());
        EXPECT_EQ(c.shown, box.GetCurrent()->color);
    }
    EXPECT_TRUE(log.Contains("an image without a key is skipped"));
}

TEST_F(PictureAndLinkTest, ALinkReactsOnlyOverItsCaptionAndIsEmptyWithoutAFont) {
    dir.Write("fonts/f.xml", "<font filename='none.png'><char id='65' w='10' h='10' xadvance='10'/></font>");
    render::FontCache::instance()->SetFontDir("fonts/");
    const struct {
        const char* attributes;
        float left, right;
    } cases[] = {
        {"font='f.xml' align='center'", 360, 440},
        {"font='f.xml' align='right'", 320, 400},
        {"font='f.xml'", 400, 480},
        {"align='center'", 400, 400},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes);
        gui::Link link(Parse("<link x='400' y='100' text='AAAAAAAA' " + std::string(c.attributes) + "/>"));
        EXPECT_EQ(c.left, link.GetRect().left);
        EXPECT_EQ(c.right, link.GetRect().right);
        for (const float x : {c.left - 0.5f, c.left, c.right, c.right + 0.5f}) {
            const bool inside = x >= c.left && x <= c.right && c.right > c.left;
            EXPECT_EQ(inside, link.IsUnderPoint(Vector2(x, 105)) && link.GetRect().Width() > 0) << x;
        }
    }
}

}  // namespace
