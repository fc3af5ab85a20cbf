#include "gui/probe_windows.h"

#include <gtest/gtest.h>

#include "vantle/gui/window_factory.h"
#include "vantle/render/render.h"

namespace test {

void ProbeWindow::Render() {
    const RenderScope drawn(*this);
    if (!drawn) return;
    render::Renderer().DrawRect(rect, render::Color(1, 1, 1, 1));
    RenderChilds();
}

ProbeContainer::ProbeContainer(TiXmlElement* element) : ProbeWindow(element) {
    LoadChilds(element, false);
}

void RegisterProbeWindows() {
    gui::WindowFactory* factory = gui::WindowFactory::instance();
    factory->Register("probe",
                      [](TiXmlElement* element) -> gui::Window* { return new ProbeWindow(element); });
    factory->Register("container",
                      [](TiXmlElement* element) -> gui::Window* { return new ProbeContainer(element); });
}

ProbeWindow* Probe(const core::ptr<gui::Window>& window) {
    ProbeWindow* probe = dynamic_cast<ProbeWindow*>(window.get());
    EXPECT_NE(probe, nullptr);
    return probe;
}

void ProbeTest::SetUp() {
    GuiTest::SetUp();
    RegisterProbeWindows();
}

core::ptr<gui::Window> ProbeTest::Load(const std::string& xml) {
    return core::ptr<gui::Window>(new ProbeContainer(Parse(xml)));
}

}  // namespace test
