#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/gui_fixture.h"
#include "vantle/gui/style.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/tile.h"

namespace {

using math::Vector2;
using render::Color;

class StyleTest : public test::GuiTest {
protected:
    gui::Style Make(const std::string& children) {
        return gui::Style(Parse("<style>" + children + "</style>"));
    }
};

const Color kRed(1, 0, 0, 1);
const Color kGreen(0, 1, 0, 1);

TEST_F(StyleTest, StateColoursAndOffsetsNotGivenAreTheBaseOnesWhereverTheBaseStands) {
    struct Case {
        const char* name;
        std::string children;
        Color base, active, pressed, disabled;
        Vector2 adjust, adjust_active, adjust_pressed, adjust_disabled;
    };
    const Case cases[] = {
        {"base only", "<text_color value='ff0000'/><text_adjust x='2' y='3'/>", kRed, kRed, kRed, kRed,
         Vector2(2, 3), Vector2(2, 3), Vector2(2, 3), Vector2(2, 3)},
        {"a state before the base",
         "<text_color_pressed value='00ff00'/><text_adjust_active y='5'/>"
         "<text_color value='ff0000'/><text_adjust x='2' y='3'/>",
         kRed, kRed, kGreen, kRed, Vector2(2, 3), Vector2(0, 5), Vector2(2, 3), Vector2(2, 3)},
        {"the later of two bases", "<text_color value='00ff00'/><text_color value='ff0000'/>", kRed, kRed,
         kRed, kRed, Vector2(), Vector2(), Vector2(), Vector2()},
        {"nothing", "", Color(), Color(), Color(), Color(), Vector2(), Vector2(), Vector2(), Vector2()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const gui::Style style = Make(c.children);
        EXPECT_EQ(style.text_color, c.base);
        EXPECT_EQ(style.text_color_active, c.active);
        EXPECT_EQ(style.text_color_pressed, c.pressed);
        EXPECT_EQ(style.text_color_disabled, c.disabled);
        EXPECT_EQ(style.text_adjust, c.adjust);
        EXPECT_EQ(style.text_adjust_active, c.adjust_active);
        EXPECT_EQ(style.text_adjust_pressed, c.adjust_pressed);
        EXPECT_EQ(style.text_adjust_disabled, c.adjust_disabled);
    }
}

TEST_F(StyleTest, ElementsSetTheirFieldsAndStateTilesHaveNoFallback) {
    const gui::Style style = Make(
        "<tile color='ff0000'><rect w='0.5' h='0.5'/></tile><tile_active color='00ff00'/><shadow/>"
        "<size x='120' y='30'/><switch_time1 value='250'/><switch_time2 value='abc'/><text_font "
        "name='m.xml'/>");
    ASSERT_TRUE(style.tile && style.tile_active && style.shadow);
    EXPECT_EQ(style.tile->color, kRed);
    EXPECT_EQ(style.tile->rect, math::Rect(0, 0, 0.5f, 0.5f));
    EXPECT_EQ(style.tile_active->color, kGreen);
    EXPECT_FALSE(style.tile_pressed);
    EXPECT_FALSE(style.tile_disabled);
    EXPECT_EQ(style.size, Vector2(120, 30));
    EXPECT_EQ(style.switch_time1, 250u);
    EXPECT_EQ(style.switch_time2, 0u);
    EXPECT_EQ(style.font, render::FontCache::instance()->Get("m.xml"));
}

TEST_F(StyleTest, DamagedElementsAreLoggedAndSkippedAndTheRestIsRead) {
    struct Case {
        std::string element;
        std::string logged;
    };
    const Case cases[] = {
        {"<text_color_active/>", "<text_color_active> without \"value\""},
        {"<switch_time1/>", "<switch_time1> without \"value\""},
        {"<text_font/>", "<text_font> without \"name\""},
        {"<blink rate='3'/>", "Unknown style element <blink>"},
        {"<size x='nan' y='7'/>", "no finite number"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element);
        log.Clear();
        const gui::Style style =
            Make("<text_color value='ff0000'/>" + c.element + "<switch_time2 value='9'/>");
        EXPECT_TRUE(log.Contains(c.logged));
        EXPECT_EQ(style.text_color_active, kRed);
        EXPECT_EQ(style.switch_time1, 0u);
        EXPECT_EQ(style.switch_time2, 9u);
        EXPECT_FALSE(style.font);
        EXPECT_EQ(style.size.x, 0.0f);
    }
}

TEST_F(StyleTest, TheCacheLoadsEachFileOnceAndSharesIt) {
    dir.Write("button.xml", "<style><switch_time1 value='40'/></style>");
    gui::StyleCache* cache = gui::StyleCache::instance();
    const core::ptr<gui::Style> first = cache->Get("button.xml");
    const core::ptr<gui::Style> second = cache->Get("button.xml");
    ASSERT_TRUE(first);
    EXPECT_EQ(first.get(), second.get());
    EXPECT_EQ(first->switch_time1, 40u);
    int loads = 0;
    for (const std::string& line : log.Lines()) loads += line == "Loading style button.xml";
    EXPECT_EQ(loads, 1);
}

TEST_F(StyleTest, FilesThatMakeNoStyleGiveAnEmptyPointer) {
    dir.Write("broken.xml", "<style><size x='1'</style>");
    dir.Write("other.xml", "<font/>");
    struct Case {
        const char* file;
        const char* logged;  // null: no error line
    };
    const Case cases[] = {
        {"missing.xml", nullptr},
        {"broken.xml", "Error loading style: broken.xml : "},
        {"other.xml", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        log.Clear();
        EXPECT_FALSE(gui::StyleFactory::Create(c.file));
        if (c.logged) {
            EXPECT_TRUE(log.Contains(c.logged));
        } else {
            EXPECT_FALSE(log.Contains("Error loading style"));
        }
    }
}

}  // namespace
