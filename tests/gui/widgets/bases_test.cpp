#include <gtest/gtest.h>

#include <string>
#include <typeinfo>

#include "support/gui_fixture.h"
#include "vantle/core/context.h"
#include "vantle/gui/container.h"
#include "vantle/gui/widgets/button.h"
#include "vantle/gui/widgets/checkable_window.h"
#include "vantle/gui/widgets/checkbox.h"
#include "vantle/gui/widgets/dev/board_edit.h"
#include "vantle/gui/widgets/dmesh.h"
#include "vantle/gui/widgets/edit_box.h"
#include "vantle/gui/widgets/effect_holder.h"
#include "vantle/gui/widgets/image.h"
#include "vantle/gui/widgets/image_box.h"
#include "vantle/gui/widgets/link.h"
#include "vantle/gui/widgets/list_box.h"
#include "vantle/gui/widgets/number.h"
#include "vantle/gui/widgets/powerup_button.h"
#include "vantle/gui/widgets/progress.h"
#include "vantle/gui/widgets/progress_button.h"
#include "vantle/gui/widgets/register_widgets.h"
#include "vantle/gui/widgets/slider.h"
#include "vantle/gui/widgets/spin_box.h"
#include "vantle/gui/widgets/text.h"
#include "vantle/gui/widgets/text_box.h"
#include "vantle/gui/widgets/uni_button.h"
#include "vantle/gui/window_factory.h"

namespace {

using math::Vector2;

std::string journal;

// Writes down each hook: "c<old state>" for a change, "d", "u" and "k" with the local x.
class Probe : public gui::ClickableWindow {
public:
    using ClickableWindow::ClickableWindow;
    void OnClick(const Vector2& p) override { journal += "k" + std::to_string(int(p.x)) + " "; }
    void OnMouseDown(const Vector2& p) override { journal += "d" + std::to_string(int(p.x)) + " "; }
    void OnMouseUp(const Vector2& p) override { journal += "u" + std::to_string(int(p.x)) + " "; }
    void OnChangeState() override { journal += "c" + std::to_string(click_state) + " "; }
};

class WidgetBases : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        script.on_eval = [](const std::string& code) { journal += code + " "; };
    }
    const char* kHandlers =
        "<handlers><handler name='on_click'>clicked</handler><handler name='on_check'>"
        "checked</handler><handler name='on_uncheck'>unchecked</handler></handlers>";
};

TEST_F(WidgetBases, ALeftPressAndReleaseWithoutLeavingIsTheOnlyClick) {
    const struct {
        const char* events;
        const char* journal;
        int state;
    } cases[] = {
        {"enter down up", "c0 c1 d5 u5 c2 k5 clicked ", 1},
        {"enter down leave up", "c0 c1 d5 c2 u5 ", 0},
        {"enter down leave enter up", "c0 c1 d5 c2 c0 u5 ", 1},
        {"enter down enter", "c0 c1 d5 ", 2},
        {"enter rdown rup", "c0 d5 ", 1},
        {"up", "u5 ", 0},
        {"leave leave", "c0 c0 ", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.events);
        journal.clear();
        Probe probe(
            Parse(std::string("<clickable x='10' y='20' w='100' h='50'>") + kHandlers + "</clickable>"));
        Send(probe, c.events, Vector2(15, 25));
        EXPECT_EQ(c.journal, journal);
        EXPECT_EQ(c.state, probe.GetClickState());
    }
}

TEST_F(WidgetBases, ACheckableWindowFlipsByItsLinkedValueNotByWhatItShows) {
    const struct {
        const char* key;      // bound key, or none
        const char* preset;   // the key's value before the window is built
        const char* written;  // what a script writes after
        bool starts_checked;
        const char* after_click;  // checked, the key's value, the handlers
    } cases[] = {
        {nullptr, nullptr, nullptr, false, "1 - checked clicked "},
        {"box_a", "yes", nullptr, true, "0 false unchecked clicked "},
        {"box_b", nullptr, nullptr, false, "1 true checked clicked "},
        {"box_c", nullptr, "true", false, "0 false unchecked clicked "},
    };
    core::Context* context = core::Context::instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.after_click);
        if (c.preset) context->Set(c.key, core::Value(c.preset));
        const std::string bound = c.key ? std::string(" value_key='") + c.key + "'" : "";
        gui::CheckableWindow box(Parse("<w w='10' h='10'" + bound + ">" + kHandlers + "</w>"));
        EXPECT_EQ(c.starts_checked, box.IsChecked());
        if (c.written) context->Set(c.key, core::Value(c.written));
        journal.clear();
        Send(box, "enter down up", Vector2(15, 25));
        const std::string value = c.key ? context->Get(c.key).as_string() : "-";
        EXPECT_EQ(c.after_click, std::to_string(box.IsChecked()) + " " + value + " " + journal);
    }
}

TEST_F(WidgetBases, ColorWinsOverItsComponentsAndAComponentChangesOnlyItself) {
    const std::pair<const char*, render::Color> cases[] = {
        {"", render::Color(1, 1, 1, 1)},
        {"color='ff000080' color_r='0.5' color_a='1'", render::Color(1, 0, 0, 128 / 255.0f)},
        {"color_a='0.25'", render::Color(1, 1, 1, 0.25f)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second, gui::DrawableWindow(Parse(std::string("<w ") + c.first + "/>")).GetColor());
    }
}

TEST_F(WidgetBases, BothSpellingsOfANameMakeTheSameKindAndAnUnknownNameNothing) {
    gui::RegisterWidgets();
    gui::RegisterWidgets();
    const std::pair<const char*, const std::type_info*> cases[] = {
        // Only the names with a second spelling and the case of the name; the rest is the table itself.
        {"edit", &typeid(gui::EditBox)},
        {"editbox", &typeid(gui::EditBox)},
        {"boardedit", &typeid(gui::BoardEdit)},
        {"board_edit", &typeid(gui::BoardEdit)},
        {"powerup_button", &typeid(gui::PowerupButton)},
        {"powerupbutton", &typeid(gui::PowerupButton)},
        {"Button", nullptr},
        {"nonesuch", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        const core::ptr<gui::Window> made =
            gui::WindowFactory::instance()->Create(Parse(std::string("<") + c.first + "/>"));
        EXPECT_EQ(c.second ? c.second->name() : "none", made ? typeid(*made.get()).name() : "none");
    }
}

}  // namespace
