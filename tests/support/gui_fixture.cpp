#include "support/gui_fixture.h"

#include <sstream>
#include "support/png_writer.h"

#include "vantle/gui/event.h"
#include "vantle/gui/style.h"
#include "vantle/gui/window.h"
#include "vantle/io/loader.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/script/engine.h"
#include "vantle/xml/xmlcache.h"

namespace test {

namespace {

// The renderer's own level of detail.
constexpr unsigned int kLOD = 10;

}  // namespace

void GuiTest::SetUp() {
    render::Render::instance()->SetImplementation(&renderer);
    render::Render::instance()->SetLOD(kLOD);
    script::Engine::instance()->SetImplementation(&script);
    clock.Start();
    mouse = FakeMouse::Install();
    keyboard = FakeKeyboard::Install();
    mouse->Release();
    keyboard->Release();
    io::Loader::instance()->ClearSources();
    io::Loader::instance()->AddSource(
        core::ptr<io::Loader::Source>(new io::FileSystemSource(dir.Path() + "/")));
}

void GuiTest::TearDown() {
    gui::StyleCache::instance()->Clear();
    xml::XmlCache::instance()->Clear();
    render::TextureCache::instance()->Clear();
    script::Engine::instance()->SetImplementation(nullptr);
    render::Render::instance()->SetImplementation(nullptr);
}

TiXmlElement* GuiTest::Parse(const std::string& xml) {
    const core::ptr<TiXmlDocument> document = xml::Parse("test", xml);
    EXPECT_FALSE(document->Error()) << document->ErrorDesc() << "\n" << xml;
    _documents.push_back(document);
    return document->RootElement();
}

void GuiTest::Send(gui::Window& window, const std::string& words, const math::Vector2& at) {
    using gui::Event;
    std::istringstream in(words);
    for (std::string w; in >> w;) {
        const int button = w[0] == 'r' ? 2 : 0;
        if (w == "enter" || w == "leave")
            window.OnEvent(Event(w == "enter" ? Event::MOUSE_ENTER : Event::MOUSE_LEAVE));
        if (w == "move") window.OnEvent(Event(Event::MOUSE_MOVE, at, at));
        if (w == "down" || w == "rdown") window.OnEvent(Event(Event::MOUSE_DOWN, button, at));
        if (w == "up" || w == "rup") window.OnEvent(Event(Event::MOUSE_UP, button, at));
    }
}

const std::vector<RecordingRender::Draw>& GuiTest::DrawnBy(gui::Window& window) {
    renderer.ClearRecord();
    window.Render();
    return renderer.Draws();
}

void GuiTest::WritePictures(std::initializer_list<const char*> names) const {
    for (const char* name : names) EXPECT_TRUE(WriteFile(dir / name, EncodePng(1, 1, {255, 255, 255, 255})));
}

std::string GuiTest::Style(const std::string& fields, const core::ptr<render::IFont>& font) {
    const std::string name = "style" + std::to_string(++_styles) + ".xml";
    dir.Write(name, "<style>" + fields + "</style>");
    if (font) gui::StyleCache::instance()->Get(name)->font = font;
    return name;
}

}  // namespace test
