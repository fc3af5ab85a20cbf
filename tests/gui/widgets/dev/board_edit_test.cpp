#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/event.h"
#include "vantle/gui/widgets/dev/board_edit.h"

namespace {

using gui::Event;

// 3 by 2 cells of 10 by 10 at (100, 50), two layers; the first draws 'a' in red.
const char* const kEditor =
    "<boardedit x='100' y='50' w='30' h='20' board_w='3' board_h='2' key='ed' bgcolor='0000ff'><layers>"
    "<layer><tilemap><t key='a' color='ff0000'/></tilemap></layer><skipped/><layer/></layers></boardedit>";

class BoardEditor : public test::GuiTest {
protected:
    // One step per group of words: "layer N", "char C" (or "char -" for empty), "data TEXT", "down B X Y",
    // "up B X Y", "move X Y", "leave X Y"; positions in grid cells, half a cell in.
    void Run(gui::BoardEdit& editor, const std::string& steps) {
        std::istringstream words(steps);
        for (std::string word; words >> word;) {
            if (word == "layer" || word == "char" || word == "data") {
                std::string value;
                words >> value;
                if (value == "-") value.clear();
                context->Set(word == "data" ? "ed.data" : "ed." + word, core::Value(value));
                continue;
            }
            int button = 0;
            float x = 0, y = 0;
            if (word == "down" || word == "up") words >> button;
            words >> x >> y;
            const math::Vector2 at(100 + 10 * x + 5, 50 + 10 * y + 5);
            const Event::Type type = word == "down"   ? Event::MOUSE_DOWN
                                     : word == "up"   ? Event::MOUSE_UP
                                     : word == "move" ? Event::MOUSE_MOVE
                                                      : Event::MOUSE_LEAVE;
            editor.OnEvent(type == Event::MOUSE_DOWN || type == Event::MOUSE_UP ? Event(type, button, at)
                                                                                : Event(type, at));
        }
    }

    core::Context* context = core::Context::instance();
};

TEST_F(BoardEditor, ThePenPaintsAndErasesIntoTheCurrentLayerAndWritesTheMapAtOnce) {
    const struct {
        const char* steps;
        std::string map;
    } cases[] = {
        {"layer 1 char x down 0 2 1", "000000;00000x;"},
        {"char x down 0 0 0 move 1 0 up 0 1 0 move 2 0", "xx0000;000000;"},
        {"char x down 0 0 0 move 1 0 up 0 1 0 down 1 1 0", "x00000;000000;"},
        {"char x down 0 0 0 up 0 5 0 move 1 0", "xx0000;000000;"},
        {"char x down 0 0 0 leave 0 0 move 1 0", "x00000;000000;"},
        {"char x down 0 0 0 down 2 1 0 move 1 1", "x000x0;000000;"},
        {"char - down 0 1 1", std::string("0000\0"
                                          "0;000000;",
                                          14)},
        {"char x down 0 3 0 down 0 0 2 down 0 -1 0 layer 2 down 0 0 0", ""},
        {"data abcdef; down 2 0 0", "abcdef;000000;"},
        {"data abc;ghijkl;mnopqr; down 2 0 0", "000000;ghijkl;"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.steps);
        context->Set("ed.layer", core::Value(0));
        gui::BoardEdit editor(Parse(kEditor));
        Run(editor, c.steps);
        EXPECT_EQ(c.map, context->Get("ed.data").as_string());
    }
}

TEST_F(BoardEditor, BuildingClearsTheMapAndAnEditorWithoutASizeOnlyDrawsItsBackground) {
    context->Set("ed.data", core::Value("abcdef;"));
    gui::BoardEdit editor(Parse(kEditor));
    EXPECT_EQ("", context->Get("ed.data").as_string());
    Run(editor, "layer 0 data a00000;");
    const auto& drawn = DrawnBy(editor);
    ASSERT_EQ(2u, drawn.size());
    EXPECT_EQ(math::Rect(100, 50, 130, 70), drawn[0].rect);
    EXPECT_EQ(render::Color(0, 0, 1, 1), drawn[0].color);
    EXPECT_EQ(math::Rect(1, 1, 9, 9), drawn[1].rect);
    EXPECT_EQ(math::Vector2(100, 50), drawn[1].world * math::Vector2());

    gui::BoardEdit sizeless(Parse("<boardedit w='30' h='20' key='ed'><layers><layer/></layers></boardedit>"));
    Run(sizeless, "char x down 0 0 0");
    EXPECT_EQ("", context->Get("ed.data").as_string());
    EXPECT_EQ(1u, DrawnBy(sizeless).size());
    EXPECT_TRUE(log.Contains("no grid"));
}

}  // namespace
