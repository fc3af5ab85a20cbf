#pragma once

#include <string>

#include "support/gui_fixture.h"
#include "vantle/gui/window.h"

namespace test {

// A window kind for tests: its fields are open to the test, and it draws its rectangle in white (under
// everything RenderStart sets up) before its children.
class ProbeWindow : public gui::Window {
public:
    using gui::Window::Window;

    void Render() override;

    using gui::Window::abs_rect;
    using gui::Window::clip;
    using gui::Window::create_animation;
    using gui::Window::cur_state;
    using gui::Window::disabled_tooltip;
    using gui::Window::from_state;
    using gui::Window::lod;
    using gui::Window::max_lod;
    using gui::Window::state_switch_time;
    using gui::Window::states;
    using gui::Window::style;
    using gui::Window::switching;
    using gui::Window::tabstop;
    using gui::Window::to_state;
    using gui::Window::tooltip;
};

// A probe that builds the window elements under its element as its children.
class ProbeContainer : public ProbeWindow {
public:
    explicit ProbeContainer(TiXmlElement* element);
};

// Registers "probe" and "container" (the kind tooltips are built as) with the window factory.
void RegisterProbeWindows();

// The probe behind a window pointer; fails the test when it is none.
ProbeWindow* Probe(const core::ptr<gui::Window>& window);

// GuiTest with the probe kinds registered.
class ProbeTest : public GuiTest {
protected:
    void SetUp() override;

    // A probe container built from the text.
    core::ptr<gui::Window> Load(const std::string& xml);
};

}  // namespace test
