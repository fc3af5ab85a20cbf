#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "gui/probe_windows.h"
#include "vantle/gui/window.h"

namespace {

using Calls = std::vector<std::string>;

using HandlersTest = test::ProbeTest;

TEST_F(HandlersTest, HandlerEntriesSetCodeOrFunctionAndLaterEntriesOverrideWhatTheySet) {
    struct Case {
        const char* name;
        std::string entries;
        Calls calls;
    };
    const Case cases[] = {
        {"code", "<handler name='h' code='a = 1'/>", {"Eval a = 1"}},
        {"function", "<handler name='h' function='go'/>", {"Call go 0"}},
        {"text", "<handler name='h'>puts 'hi'</handler>", {"Eval puts 'hi'"}},
        {"code given first wins over a later function",
         "<handler name='h' code='x'/><handler name='h' function='f'/>",
         {"Eval x"}},
        {"later code replaces earlier code",
         "<handler name='h' code='x'/><handler name='h' code='y'/>",
         {"Eval y"}},
        {"code attribute over text and function",
         "<handler name='h' code='x' function='f'>z</handler>",
         {"Eval x"}},
        {"no name", "<handler code='x'/>", {}},
        {"not a handler element", "<hook name='h' code='x'/>", {}},
        {"neither code nor function", "<handler name='h'/>", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const core::ptr<gui::Window> window =
            Load("<container><handlers>" + c.entries + "</handlers></container>");
        script.calls.clear();
        window->CallHandler("h");
        EXPECT_EQ(script.calls, c.calls);
    }
    EXPECT_TRUE(log.Contains("A handler without a name in  is skipped"));
}

TEST_F(HandlersTest, CodeSeesTheValueAsDollarValueAndAFunctionGetsItAsItsArgument) {
    struct Form {
        const char* name;
        std::function<void(gui::Window&)> call;
        Calls code_calls;
        Calls function_calls;
    };
    const Form forms[] = {
        {"no value", [](gui::Window& w) { w.CallHandler("h"); }, {"Eval run"}, {"Call go 0"}},
        {"float",
         [](gui::Window& w) { w.CallHandler("h", 0.5f); },
         {"Set $value 0.5", "Eval run"},
         {"Call go 0.5"}},
        {"text",
         [](gui::Window& w) { w.CallHandler("h", std::string("ok")); },
         {"Set $value ok", "Eval run"},
         {"Call go ok"}},
        {"integer",
         [](gui::Window& w) { w.CallHandler("h", 7); },
         {"Set $value 7", "Eval run"},
         {"Call go 7"}},
    };
    for (const Form& form : forms) {
        SCOPED_TRACE(form.name);
        gui::Window window("w", math::Rect());
        window.SetHandlerCode("h", "run");
        script.calls.clear();
        form.call(window);
        EXPECT_EQ(script.calls, form.code_calls);

        gui::Window by_function("w", math::Rect());
        by_function.SetHandlerFunction("h", "go");
        script.calls.clear();
        form.call(by_function);
        EXPECT_EQ(script.calls, form.function_calls);

        script.calls.clear();
        form.call(*Load("<container/>"));
        EXPECT_EQ(script.calls, Calls{}) << "a name without a handler runs nothing";
    }
}

TEST_F(HandlersTest, SettingCodeOrFunctionKeepsTheOther) {
    gui::Window window("w", math::Rect());
    window.SetHandlerFunction("h", "go");
    window.SetHandlerCode("h", "run");
    window.CallHandler("h");
    window.SetHandlerCode("h", "");
    window.CallHandler("h");
    EXPECT_EQ(script.calls, (Calls{"Eval run", "Call go 0"}));
}

TEST_F(HandlersTest, AHandlerThatReplacesItselfAndReleasesItsWindowFinishesSafelyAndTheWalkStops) {
    const std::string running = "replace this handler, then clear the screen";
    const core::ptr<gui::Window> parent = Load(
        "<container id='p'><probe id='stays'><handlers><handler name='on_update' "
        "code='stay'/></handlers></probe>"
        "<probe id='goes'><handlers><handler name='on_update' code='" +
        running + "'/></handlers></probe></container>");
    script.on_eval = [&](const std::string& code) {
        if (code != running) return;
        parent->GetChild("goes")->SetHandlerCode("on_update", "a replacement long enough to move the text");
        parent->Clear();
        EXPECT_EQ(code, running) << "the running code outlives its entry and its window";
    };
    parent->Update();
    script.on_eval = nullptr;
    EXPECT_EQ(script.calls, Calls{"Eval " + running});
    EXPECT_FALSE(parent->GetChild("goes"));
    EXPECT_TRUE(log.Contains("DELETE Window #goes"));
}

}  // namespace
