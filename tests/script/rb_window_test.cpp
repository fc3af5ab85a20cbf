#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "gui/probe_windows.h"
#include "vantle/core/properties.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/window_factory.h"
#include "vantle/script/engine.h"
#include "vantle/script/ruby/rb_window.h"

namespace {

using Strings = std::vector<std::string>;

// A probe container with a script-visible "caption".
class Captioned : public test::ProbeContainer {
public:
    explicit Captioned(TiXmlElement* element) : ProbeContainer(element) {
        properties.Add("caption", new core::Property<Captioned>(this, &Captioned::Get, &Captioned::Set));
    }
    core::Value Get() const { return core::Value(_caption); }
    void Set(const core::Value& value) { _caption = value.as_string(); }

private:
    std::string _caption;
};

struct Call {
    Call(std::string code, std::string answer) : code(std::move(code)), answer(std::move(answer)) {}
    Call(std::string code, std::string answer, Strings lines)
        : code(std::move(code)), answer(std::move(answer)), lines(std::move(lines)), checks_lines(true) {}

    std::string code;
    // As Ruby's inspect shows it; "" when the code failed.
    std::string answer;
    // The log lines it writes, where the test names them.
    Strings lines;
    bool checks_lines = false;
};

// The GUI world of GuiTest with the real Ruby engine in place of the fake one, the root window showing
// "main.xml": panel (with ok and the captioned label) and other.
class ScriptWindows : public test::ProbeTest {
protected:
    void SetUp() override {
        _ruby = script::Engine::instance()->GetImplementation();
        ProbeTest::SetUp();
        script::Engine::instance()->SetImplementation(_ruby);
        gui::WindowFactory::instance()->Register(
            "captioned", [](TiXmlElement* e) -> gui::Window* { return new Captioned(e); });
        static bool defined = false;
        if (!defined) script::InitRubyWindows();
        defined = true;
        dir.Write("main.xml",
                  "<gui><container id='panel' w='100' h='50'><states><s name='big' w='300'/></states>"
                  "<container id='ok'/><captioned id='label'/></container><container id='other'/></gui>");
        dir.Write("extra.xml", "<gui><container id='extra'/></gui>");
        Root()->Load("main.xml", true);
        log.Clear();
    }

    void TearDown() override {
        Answer("$w = $v = nil");
        Root()->Clear();
        ProbeTest::TearDown();
        script::Engine::instance()->SetImplementation(_ruby);
    }

    static gui::RootWindow* Root() { return gui::RootWindow::instance(); }

    static std::string Answer(const std::string& code) {
        return script::Engine::instance()->Eval("(" + code + ").inspect")->to_string();
    }

    // The ids of the root's children, front first.
    static std::string Screen() {
        std::string ids;
        for (const char* id : {"panel", "other", "extra"}) {
            if (Root()->GetChild(id)) ids += std::string(ids.empty() ? "" : " ") + id;
        }
        return ids;
    }

    void Run(const std::vector<Call>& calls) {
        for (const Call& c : calls) {
            SCOPED_TRACE(c.code);
            log.Clear();
            EXPECT_EQ(Answer(c.code), c.answer);
            if (c.checks_lines) {
                EXPECT_EQ(log.Lines(), c.lines);
            }
        }
    }

    // Collects, then lets Ruby run the free functions it put off.
    static void Collect() {
        Answer("GC.start");
        Answer("nil");
    }

    std::size_t Count(const std::string& line) const {
        return static_cast<std::size_t>(std::count(log.Lines().begin(), log.Lines().end(), line));
    }

private:
    script::IEngine* _ruby = nullptr;
};

TEST_F(ScriptWindows, ScreenFunctionsLoadStackAndClearScreens) {
    Run({{"gui_load_nc('extra.xml')", "nil"},
         {"gui_load('missing.xml')", "nil", {"LOAD: missing.xml", "Can't load missing.xml"}}});
    EXPECT_EQ(Screen(), "panel other extra");
    Run({{"[gui_push, gui_load('extra.xml')]", "[nil, nil]"}});
    EXPECT_EQ(Screen(), "extra");
    Run({{"gui_pop", "nil"}});
    EXPECT_EQ(Screen(), "panel other extra");
    EXPECT_EQ(Root()->GetLoadedFiles(), (Strings{"main.xml", "extra.xml"}));

    const core::ptr<gui::Window> panel = Root()->GetChild("panel");
    Run({{"[gui_push2, gui_clear]", "[nil, nil]"}});
    EXPECT_EQ(Screen(), "");
    Run({{"gui_pop2", "nil"}});
    EXPECT_EQ(Root()->GetChild("panel"), panel);
    Run({{"[gui_pop, gui_pop2]", "[nil, nil]"}, {"gui_load('extra.xml')", "nil"}});
    EXPECT_EQ(Screen(), "extra");
}

TEST_F(ScriptWindows, WindowFunctionsSetFlagsAndHandlersOfTheWindowAtAPath) {
    const core::ptr<gui::Window> ok = Root()->GetChild("panel/ok");
    Run({{"[window_hide('panel/ok'), window_enable('panel/ok')]", "[nil, nil]"}});
    EXPECT_FALSE(ok->IsVisible());
    EXPECT_TRUE(ok->IsEnabled());
    Run({{"[window_show('panel/ok'), window_disable('panel/ok')]", "[nil, nil]"},
         {"window_set_handler_code('panel/ok', 'on_click', '$clicked = $value')", "nil"},
         {"%w[ok panel/none nothing].map { |p| window_hide(p) }", "[nil, nil, nil]", {}},
         {"window_set_handler_code('none', 'on_click', 'x')", "nil", {}},
         {"window_show(5)", "", {"EngineRuby: no implicit conversion of Integer into String"}}});
    EXPECT_TRUE(ok->IsVisible());
    EXPECT_FALSE(ok->IsEnabled());
    ok->CallHandler("on_click", 7);
    EXPECT_EQ(Answer("$clicked"), "7");
}

TEST_F(ScriptWindows, RootWindowClassMethodsFindFocusAndSwitch) {
    Run({{"RootWindow.get_child('panel/ok').id", "\"ok\""},
         {"RootWindow.get_child('panel/none')", "nil", {}},
         {"RootWindow.get_child('other').class", "Window"},
         {"RootWindow.set_focus('nothing')", "nil"},
         {"RootWindow.set_focus('panel/ok')", "nil"},
         {"RootWindow.set_state('big', 0)", "nil"}});
    EXPECT_TRUE(Root()->IsKeyboardFocus(Root()->GetChild("panel/ok").get()));
    EXPECT_EQ(test::Probe(Root()->GetChild("panel"))->cur_state.name, "big");
}

TEST_F(ScriptWindows, WindowObjectsReadAndWriteTheirWindow) {
    const core::ptr<gui::Window> panel = Root()->GetChild("panel");
    test::Probe(panel)->state_switch_time = 500;
    Run({{"$w = RootWindow.get_child('panel'); [$w.id, $w.visible?, $w.enabled?]",
          "[\"panel\", true, false]"},
         {"[1, 'yes', nil, true].map { |v| $w.visible = v; $w.visible? }", "[false, false, false, true]"},
         {"$w.enabled = true; $w.enabled?", "true"},
         {"$w.get_child('ok').id", "\"ok\"", {}},
         {"[$w.get_child('none'), $w.get_child('ok/none')]", "[nil, nil]"},
         {"$w.get_child('label').set('caption', 'Hi'); $w.get_child('label').get('caption')", "\"Hi\""},
         {"$w.get('unknown')", "\"\""},
         {"$w.set_handler('on_x', '$x = 3')", "nil"},
         {"$w.set_state('big')", "nil"}});
    EXPECT_TRUE(test::Probe(panel)->switching);
    EXPECT_EQ(test::Probe(panel)->to_state.name, "big");
    panel->CallHandler("on_x");
    EXPECT_EQ(Answer("$x"), "3");
    Run({{"$w.set_state('default', 0)", "nil"}});
    EXPECT_EQ(test::Probe(panel)->cur_state.name, "default");
    Run({{"$w.set_state('big', -5)", "nil", {"Window#set_state: switch time -5 out of range, 0 taken"}}});
    EXPECT_EQ(test::Probe(panel)->cur_state.name, "big");
    dir.Write("part.xml", "<gui><container id='added'/></gui>");
    Run({{"$w.load_childs('part.xml'); $w.get_child('added').id", "\"added\""}});
}

TEST_F(ScriptWindows, WrongUsesRaiseErrorsInTheScriptOnly) {
    Run({{"Window.new", "", {"EngineRuby: allocator undefined for Window"}},
         {"RootWindow.new", "", {"EngineRuby: allocator undefined for RootWindow"}},
         {"RootWindow.get_child('panel').dup",
          "",
          {"rb_root_window_get_child  #panel", "EngineRuby: allocator undefined for Window"}},
         {"RootWindow.get_child(:panel)", "", {"EngineRuby: wrong argument type Symbol (expected String)"}},
         {"RootWindow.get_child('panel').set_state",
          "",
          {"rb_root_window_get_child  #panel",
           "EngineRuby: wrong number of arguments (given 0, "
           "expected 1..2)"}},
         {"RootWindow.set_state('big', '0')",
          "",
          {"EngineRuby: wrong argument type String (expected Integer)"}},
         {"RootWindow.set_focus(nil)", "", {"EngineRuby: wrong argument type nil (expected String)"}},
         {"begin; RootWindow.get_child(1); rescue TypeError; 'rescued'; end", "\"rescued\""}});
}

TEST_F(ScriptWindows, AWindowHeldByAScriptOutlivesItsScreenUntilCollected) {
    EXPECT_EQ(Answer("$w = RootWindow.get_child('panel'); $v = RootWindow.get_child('panel'); $w.equal?($v)"),
              "false");
    Root()->Clear();
    Collect();
    EXPECT_FALSE(log.Contains("DELETE Window #panel"));
    Run({{"$w.visible = false; $w.set_state('big', 0); [$w.id, $w.get_child('ok').id]",
          "[\"panel\", \"ok\"]"}});
    log.Clear();
    Answer("$w = nil");
    Collect();
    EXPECT_EQ(Count("Window rb_free #panel"), 1u);
    EXPECT_FALSE(log.Contains("DELETE Window #panel"));
    Run({{"$v.id", "\"panel\""}});
    Answer("$v = nil");
    Collect();
    EXPECT_EQ(Count("Window rb_free #panel"), 1u);
    EXPECT_TRUE(log.Contains("DELETE Window #ok"));
    EXPECT_TRUE(log.Contains("DELETE Window #panel"));
}

TEST_F(ScriptWindows, ThousandsOfMethodCallsWithWrongArgumentsNeverBreakTheInterpreter) {
    const Strings receivers = {"RootWindow", "$w", "$w.get_child('ok')", "Window"};
    const Strings methods = {
        "id",  "visible?", "enabled?",  "visible=",    "enabled=",  "get_child", "load_childs",
        "get", "set",      "set_state", "set_handler", "set_focus", "dup"};
    const Strings values = {"nil",       "true",       "0",         "-1",         "2**70",
                            "-1e300",    "Float::NAN", "'panel'",   "'ok'",       "''",
                            "\"a\\0b\"", "'main.xml'", "'default'", "'big'",      ":big",
                            "[1]",       "Object.new", "$w",        "'gui_clear'"};
    Answer("$w = RootWindow.get_child('panel')");
    std::mt19937 generator(20240612);
    for (int call = 0; call < 2000; ++call) {
        std::string code = receivers[generator() % receivers.size()] +
                           ".public_send(:" + methods[generator() % methods.size()];
        const unsigned int count = generator() % 4;
        for (unsigned int i = 0; i < count; ++i) code += ", " + values[generator() % values.size()];
        script::Engine::instance()->Eval(code + ")");
        ASSERT_EQ(Answer("6 * 7"), "42") << code;
    }
    EXPECT_TRUE(log.Contains("wrong number of arguments"));
    EXPECT_TRUE(log.Contains("expected String"));
}

}  // namespace
