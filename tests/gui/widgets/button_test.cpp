#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/fake_font.h"
#include "support/gui_fixture.h"
#include "vantle/gui/event.h"
#include "vantle/gui/widgets/button.h"
#include "vantle/render/texture_cache.h"

namespace {

using gui::Event;

// The tiles, each a texture file of its own name.
const char* const kTiles[] = {"default", "active", "pressed", "disabled", "shadow", "style"};
const std::string kStateTiles = "default='default.png' active='active.png' pressed='pressed.png' ";

class ButtonWidget : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        WritePictures(
            {"default.png", "active.png", "pressed.png", "disabled.png", "shadow.png", "style.png"});
    }

    // A 200 by 50 button at (100, 300) with a style of the fields, in the fake font when asked.
    core::ptr<gui::Button> Make(const std::string& attributes, const std::string& style = "",
                                bool font = false) {
        const std::string name = Style(style, font ? _font : nullptr);
        return core::ptr<gui::Button>(new gui::Button(
            Parse("<button x='100' y='300' w='200' h='50' style='" + name + "' " + attributes + "/>")));
    }

    // One frame: each tile by name with its alpha, the caption as "caption@x,y" from the button's corner.
    std::string Frame(gui::Button& button) {
        std::ostringstream out;
        for (const auto& draw : DrawnBy(button)) {
            const math::Vector2 at = draw.world * math::Vector2() - button.GetRect().TopLeft();
            if (draw.kind == test::RecordingRender::VERTICES) out << " caption@" << at.x << "," << at.y;
            for (const char* tile : kTiles) {
                const auto texture = render::TextureCache::instance()->Get(std::string(tile) + ".png");
                if (draw.kind != test::RecordingRender::VERTICES && texture.get() == draw.texture) {
                    out << " " << tile << ":" << draw.color.a;
                }
            }
        }
        return out.str().substr(out.str().empty() ? 0 : 1);
    }

    core::ptr<test::FakeFont> _font{new test::FakeFont()};
};

TEST_F(ButtonWidget, TheNewStateTileFadesInOverTheOldOneExceptWhenPressed) {
    const struct {
        std::string attributes;
        const char* steps;  // "<ms> <enter|leave|down|draw>"; frames joined by " | "
        const char* frames;
    } cases[] = {
        {kStateTiles + "switch2='200'", "0 enter 0 draw 100 draw 200 draw 300 draw",
         "default:1 active:0 | default:1 active:0.5 | active:1 | active:1"},
        {kStateTiles + "switch2='200'", "0 enter 50 down 50 draw", "pressed:1"},
        {kStateTiles, "0 enter 0 draw", "active:1"},
        {kStateTiles + "switch1='100' switch2='100'", "0 enter 10 leave 60 draw", "active:1 default:0.5"},
        {kStateTiles + "switch1='100' switch2='100'", "0 enter 50 leave 50 draw", "active:1 default:0"},
        {"default='default.png' switch2='200'", "0 enter 100 draw", "default:1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes + " / " + c.steps);
        clock.Start();
        core::ptr<gui::Button> button = Make(c.attributes);
        std::istringstream steps(c.steps);
        std::string frames;
        unsigned int at = 0, now = 0;
        for (std::string step; steps >> at >> step;) {
            if (at != now) now = clock.At(at) - clock.Origin();  // the clock only moves forward
            if (step == "draw") frames += (frames.empty() ? "" : " | ") + Frame(*button);
            Send(*button, step, math::Vector2(110, 310));
        }
        EXPECT_EQ(c.frames, frames);
    }
}

// Hovered, with the caption "12 chars....", 120 by 20.
TEST_F(ButtonWidget, AStyleWithAFontGivesItsLookAndTheCaptionAndOneWithoutChangesNothing) {
    const struct {
        std::string attributes;
        const char* style;
        bool font;
        const char* frame;
        float width, height;
    } cases[] = {
        {"", "<tile texture='style.png'/>", true, "style:1 caption@40,15", 200, 50},
        {"", "<tile texture='style.png'/><switch_time2 value='100'/>", false, "active:1", 200, 50},
        {"", "<tile_active texture='pressed.png'/><size x='0' y='0'/>", true, "pressed:1 caption@40,15", 200,
         50},
        {"", "<size x='300' y='30'/><text_adjust_active x='2' y='-1'/>", true, "active:1 caption@92,4", 300,
         30},
        {"", "<shadow texture='shadow.png'/>", true, "shadow:1 active:1 caption@40,15", 200, 50},
        {"disabled='disabled.png' shadow='shadow.png'", "", true, "shadow:1 disabled:1", 200, 50},
        {"shadow='shadow.png'", "", true, "shadow:1 active:1 caption@40,15", 200, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.attributes + c.style);
        core::ptr<gui::Button> button =
            Make(kStateTiles + "text='12 chars....' " + c.attributes, c.style, c.font);
        button->OnEvent(Event(Event::MOUSE_ENTER));
        // The last two rows: disabled, with and without a disabled tile.
        if (!c.attributes.empty()) button->SetEnabled(false);
        EXPECT_EQ(c.frame, Frame(*button));
        EXPECT_EQ(math::Rect(100, 300, 100 + c.width, 300 + c.height), button->GetRect());
    }
}

TEST_F(ButtonWidget, TheCodeFormShowsItsThreeTextures) {
    auto texture = [](const char* name) { return render::TextureCache::instance()->Get(name); };
    gui::Button button("b", math::Rect(0, 0, 9, 9), texture("default.png"), texture("active.png"),
                       texture("pressed.png"));
    button.OnEvent(Event(Event::MOUSE_ENTER));
    EXPECT_EQ("active:1", Frame(button));
}

}  // namespace
