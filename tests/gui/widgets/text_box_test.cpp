#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/fake_font.h"
#include "support/gui_fixture.h"
#include "vantle/gui/widgets/text_box.h"

namespace {

class TextBoxWidget : public test::GuiTest {
protected:
    // A box 100 wide at (50, 200), the fake font 10 units a character.
    gui::TextBox Box(const std::string& text, const core::ptr<render::IFont>& with) {
        return gui::TextBox("t", math::Rect(50, 200, 150, 260), text, with, 0.0f, render::Render::LEFT);
    }

    std::vector<std::string> LaidOut() const {
        std::vector<std::string> lines;
        for (const auto& layout : font->layouts) lines.push_back(layout.text);
        return lines;
    }

    core::ptr<test::FakeFont> font{new test::FakeFont()};
};

TEST_F(TextBoxWidget, WordsWrapAtBlanksWithTheBlankCountedBeforeTheNextWord) {
    const struct {
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"", {" "}},
        {"word", {"word "}},
        {"aaa bbb ccc", {"aaa bbb ", "ccc "}},
        {"aaaa bbbb", {"aaaa bbbb "}},  // the candidate is exactly 100 wide: it fits
        {"aaa  bbb", {"aaa  bbb "}},
        {"abcdefghijkl xy", {"abcdefghijkl ", "xy "}},  // no empty first line before a wide word
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        font->layouts.clear();
        gui::TextBox box = Box(c.text, font);
        box.Build();
        EXPECT_EQ(c.lines, LaidOut());
        for (const auto& layout : font->layouts) EXPECT_EQ(1u, layout.size);
    }
}

TEST_F(TextBoxWidget, LinesStandOneLineSpaceApartFromTheLeftEdgeWithPointFiltering) {
    gui::TextBox box = Box("", font);
    box.LoadData(Parse("<textbox linespace='20' align='right'>aaa bbb ccc ddd eee</textbox>"));
    std::vector<math::Vector2> at;
    for (const auto& draw : DrawnBy(box)) at.push_back(draw.world * math::Vector2());
    EXPECT_EQ(std::vector<math::Vector2>({{50, 200}, {50, 220}, {50, 240}}), at);
    EXPECT_EQ(render::IRender::FILTER_POINT, renderer.GetFilteringMode());
}

TEST_F(TextBoxWidget, WithoutAFontThereAreNoLinesAndTheLogSaysSo) {
    gui::TextBox box = Box("some words", core::ptr<render::IFont>());
    box.Build();
    EXPECT_EQ(0u, box.GetLineCount());
    EXPECT_TRUE(log.Contains("no font"));
}

}  // namespace
