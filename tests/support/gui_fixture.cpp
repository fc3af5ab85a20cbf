#include "support/gui_fixture.h"

#include "vantle/gui/style.h"
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

}  // namespace test
