#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "support/gui_fixture.h"
#include "support/png_writer.h"
#include "vantle/core/context.h"
#include "vantle/gui/widgets/register_widgets.h"
#include "vantle/gui/window.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/texture_cache.h"

namespace {

const char* const kNames[] = {"default", "active", "pressed", "disabled", "checkmark", "label", "active_1"};
std::string updated;

// A container element whose update writes its id down, or its element name without one.
std::string Part(const std::string& element, const std::string& id = "") {
    return "<" + element + " id='" + id + "' w='9' h='9'><handlers><handler name='on_update'>" +
           (id.empty() ? element : id) + "</handler></handlers></" + element + ">";
}
const std::string kLabel = Part("container", "label");
const std::string kStates = Part("default") + Part("active") + Part("pressed");

// A case: the bound key's value when the widget is built, its attributes, ">" and its content.
struct Case {
    const char* preset;
    std::string inner;
    const char* steps;
    const char* frames;
};

class CheckWidgets : public test::GuiTest {
protected:
    void SetUp() override {
        GuiTest::SetUp();
        gui::RegisterWidgets();
        script.on_eval = [](const std::string& code) { updated += " " + code; };
        for (const char* name : kNames)
            test::WriteFile(dir / (name + std::string(".png")), test::EncodePng(1, 1, {9, 9, 9, 255}));
    }

    // One step per word: enter, leave, down, up, off and on (the enabled flag), set (the bound key to
    // true), and "|", a frame written as the visible children and drawn pictures by name ("-" for
    // none), "~" and the children that updated. Frames joined by " | ".
    std::string Play(gui::Window& widget, const std::string& steps) {
        std::istringstream words(steps);
        std::string frames;
        for (std::string w; words >> w;) {
            Send(widget, w, math::Vector2(5, 5));
            if (w == "off" || w == "on") widget.SetEnabled(w == "on");
            if (w == "set") core::Context::instance()->Set("box", core::Value("true"));
            if (w != "|") continue;
            updated.clear();
            renderer.ClearRecord();
            widget.Update();
            widget.Render();
            frames += (frames.empty() ? "" : " | ") + Shown(widget) + " ~" + updated;
        }
        return frames;
    }

    std::string Shown(const gui::Window& widget) {
        std::string shown;
        for (const char* name : kNames) {
            const core::ptr<gui::Window> child = widget.GetChild(name);
            if (child && child->IsVisible()) shown += " " + std::string(name);
        }
        for (const auto& draw : renderer.Draws()) {
            EXPECT_EQ(render::Color(1, 1, 1, 1), draw.color);
            EXPECT_EQ(widget.GetRect(), draw.rect);
            for (const char* name : kNames) {
                if (render::TextureCache::instance()->Get(name + std::string(".png")).get() == draw.texture)
                    shown += " " + std::string(name);
            }
        }
        return shown.empty() ? "-" : shown.substr(1);
    }

    void Check(const std::string& element, const std::vector<Case>& cases) {
        for (const auto& c : cases) {
            SCOPED_TRACE(std::string(c.preset) + " " + c.inner + " / " + c.steps);
            core::Context::instance()->Set("box", core::Value(c.preset));
            const std::string xml = "<" + element + " w='50' h='20' value_key='box' color='ff000080' " +
                                    c.inner + "</" + element + ">";
            EXPECT_EQ(c.frames, Play(*gui::WindowFactory::instance()->Create(Parse(xml)), c.steps));
        }
    }
};

TEST_F(CheckWidgets, ACheckboxDrawsItsClickStatePictureAndTheCheckMarkOverItWhileChecked) {
    const std::string all = "default='default.png' active='active.png' pressed='pressed.png' ";
    const std::string marked = "checkmark='checkmark.png'>";
    Check("checkbox",
          {
              {"no", all + marked, "| enter | down |", "default ~ | active ~ | pressed ~"},
              {"yes", all + marked, "| enter down up |", "default checkmark ~ | active ~"},
              {"no", all + marked, "enter down up |", "active checkmark ~"},
              {"yes", "default='default.png' " + marked, "| enter |", "default checkmark ~ | checkmark ~"},
              {"no", "default='default.png' " + marked, "enter down |", "- ~"},
          });
}

// Its own children always stay, and only its visible children update.
TEST_F(CheckWidgets, AUniButtonShowsTheContainerOfItsStateOnlyWhenItChanges) {
    const std::string all = ">" + kLabel + kStates + Part("disabled");
    Check("unibutton",
          {
              {"", all, "| enter | down | up |",
               "default label ~ default label | active label ~ active label | "
               "pressed label ~ pressed label | active label ~ active label"},
              {"", ">" + kLabel + Part("default"), "enter | down |", "label ~ label | label ~ label"},
              // Disabled: the update that finds it so leaves the children; the pointer changes nothing.
              {"", all, "enter | off | down |",
               "active label ~ active label | disabled label ~ | disabled label ~ disabled label"},
              // Enabled again under the pointer.
              {"", all, "enter | off | on |",
               "active label ~ active label | disabled label ~ | active label ~ active label"},
              // A child of the layout named like a state stands in for that state's container.
              {"", "><container id='active' w='9' h='9'/>" + Part("active"), "| enter | leave |",
               "active ~ | active ~ | - ~"},
          });
    EXPECT_FALSE(log.Contains("Unknown window element"));
}

// Window elements inside it make nothing, and its children never update.
TEST_F(CheckWidgets, AUniCheckboxShowsItsCheckMarkFromItsFirstUpdateOrAClickButNotAfterAScriptWrite) {
    const std::string content = ">" + kStates + Part("checkmark") + kLabel;
    Check("unicheckbox", {
                             {"true", content, "|", "default checkmark ~"},
                             {"false", content, "| set |", "default ~ | default ~"},
                             {"false", content, "set enter down up |", "active ~"},
                             {"true", content, "| enter down up |", "default checkmark ~ | active ~"},
                         });
}

}  // namespace
