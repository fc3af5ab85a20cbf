#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_font.h"
#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/widgets/text.h"

namespace {

using render::Render;

class TextWidget : public test::GuiTest {
protected:
    // A caption anchored at (700, 10).
    gui::Text Caption(const std::string& text, Render::TextAlign align = Render::LEFT, float size = 0.0f) {
        return gui::Text("t", math::Rect(700, 10, 700, 10), text, font, size, align);
    }

    // The captions drawn in one frame, each as "<vertices>@<x>".
    std::string Frame(gui::Text& text) {
        std::string drawn;
        for (const auto& draw : DrawnBy(text)) {
            drawn += std::to_string(draw.count) + "@" + std::to_string(int((draw.world * math::Vector2()).x));
        }
        return drawn;
    }

    core::ptr<test::FakeFont> font{new test::FakeFont()};
};

TEST_F(TextWidget, AlignmentPlacesTheCaptionBoxAgainstTheAnchor) {
    const struct {
        Render::TextAlign align;
        float left;
    } cases[] = {{Render::LEFT, 700}, {Render::RIGHT, 580}, {Render::CENTER, 640}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.align);
        gui::Text text = Caption("120 wide....", c.align);
        EXPECT_EQ("12@" + std::to_string(int(c.left)), Frame(text));
        EXPECT_EQ(math::Rect(c.left, 10, c.left + 120, 30), text.GetRect());
    }
}

TEST_F(TextWidget, TheCaptionIsLaidOutOnlyWhenItsTextChanges) {
    const struct {
        std::vector<core::Value> values;  // one per frame after "abc"
        std::vector<std::string> laid_out;
        const char* last_frame;
        float right;
    } cases[] = {
        {{core::Value("abc")}, {"abc"}, "3@700", 730},
        {{core::Value(42)}, {"abc", "42"}, "2@700", 720},
        {{core::Value(2.5f), core::Value("2.5")}, {"abc", "2.5"}, "3@700", 730},
        {{core::Value("")}, {"abc"}, "", 730},
        {{core::Value(""), core::Value("abcd")}, {"abc", "abcd"}, "4@700", 740},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.laid_out.back());
        font->layouts.clear();
        gui::Text text = Caption("abc");
        std::string last = Frame(text);
        for (const core::Value& value : c.values) {
            text.SetText(value);
            last = Frame(text);
        }
        std::vector<std::string> laid_out;
        for (const auto& layout : font->layouts) laid_out.push_back(layout.text);
        EXPECT_EQ(c.laid_out, laid_out);
        EXPECT_EQ(c.last_frame, last);
        EXPECT_EQ(c.right, text.GetRect().right);
    }
}

TEST_F(TextWidget, TheFontGetsTheSizeTruncatedAndNeverNegativeAndNoFontDrawsNothing) {
    for (const float size : {12.7f, -5.0f, 1e20f}) {
        gui::Text text = Caption("a", Render::LEFT, size);
        Frame(text);
    }
    ASSERT_EQ(3u, font->layouts.size());
    EXPECT_EQ(12u, font->layouts[0].size);
    EXPECT_EQ(0u, font->layouts[1].size);
    EXPECT_EQ(4294967295u, font->layouts[2].size);
    gui::Text fontless("t", math::Rect(5, 6, 7, 8), "abc", core::ptr<render::IFont>(), 0, Render::LEFT);
    EXPECT_EQ("", Frame(fontless));
    EXPECT_EQ(math::Rect(5, 6, 7, 8), fontless.GetRect());
}

TEST_F(TextWidget, TheAttributeWinsOverTheContentAndBothOverTheBoundKey) {
    core::Context* context = core::Context::instance();
    context->Set("caption_key", core::Value("from key"));
    const std::pair<const char*, const char*> cases[] = {
        {"<text text='attribute'>content</text>", "attribute"},
        {"<text>content</text>", "content"},
        {"<text value_key='caption_key'/>", "from key"},
        {"<text value_key='caption_key'>content</text>", "content"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, gui::Text(Parse(c.first)).GetText().as_string());
    }
    // The content was written to the key; the property writes through it too.
    gui::Text first(Parse("<text value_key='caption_key'/>")),
        second(Parse("<text value_key='caption_key'/>"));
    EXPECT_EQ("content", first.GetText().as_string());
    first.SetProperty("text", core::Value(1500));
    EXPECT_EQ("1500", second.GetProperty("text").as_string());
}

}  // namespace
