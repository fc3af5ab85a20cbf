#include "vantle/gui/script_functions.h"

#include "vantle/core/ptr.h"
#include "vantle/gui/root_window.h"

namespace gui {

namespace {

using P = script::Parameter;
using script::Arguments;
using script::Result;

RootWindow* Root() {
    return RootWindow::instance();
}

// Held for the call: the window may leave its screen meanwhile.
core::ptr<Window> Find(const std::string& path) {
    return Root()->GetChild(path);
}

Result gui_load(const Arguments& a) {
    Root()->Load(a[0].text, true);
    return Result();
}

Result gui_load_nc(const Arguments& a) {
    Root()->Load(a[0].text, false);
    return Result();
}

Result gui_clear(const Arguments&) {
    Root()->Clear();
    return Result();
}

Result gui_push(const Arguments&) {
    Root()->Push();
    return Result();
}

Result gui_pop(const Arguments&) {
    Root()->Pop();
    return Result();
}

Result gui_push2(const Arguments&) {
    Root()->Push2();
    return Result();
}

Result gui_pop2(const Arguments&) {
    Root()->Pop2();
    return Result();
}

Result window_enable(const Arguments& a) {
    if (const core::ptr<Window> window = Find(a[0].text)) window->SetEnabled(true);
    return Result();
}

Result window_disable(const Arguments& a) {
    if (const core::ptr<Window> window = Find(a[0].text)) window->SetEnabled(false);
    return Result();
}

Result window_show(const Arguments& a) {
    if (const core::ptr<Window> window = Find(a[0].text)) window->SetVisible(true);
    return Result();
}

Result window_hide(const Arguments& a) {
    if (const core::ptr<Window> window = Find(a[0].text)) window->SetVisible(false);
    return Result();
}

Result window_set_handler_code(const Arguments& a) {
    if (const core::ptr<Window> window = Find(a[0].text)) window->SetHandlerCode(a[1].text, a[2].text);
    return Result();
}

}  // namespace

std::vector<script::Function> ScriptFunctions() {
    return {
        {"gui_load", {P::Text}, &gui_load},
        {"gui_load_nc", {P::Text}, &gui_load_nc},
        {"gui_clear", {}, &gui_clear},
        {"gui_push", {}, &gui_push},
        {"gui_pop", {}, &gui_pop},
        {"gui_push2", {}, &gui_push2},
        {"gui_pop2", {}, &gui_pop2},
        {"window_enable", {P::Text}, &window_enable},
        {"window_disable", {P::Text}, &window_disable},
        {"window_show", {P::Text}, &window_show},
        {"window_hide", {P::Text}, &window_hide},
        {"window_set_handler_code", {P::Text, P::Text, P::Text}, &window_set_handler_code},
    };
}

}  // namespace gui
