#include "vantle/gui/root_window.h"

#include <tinyxml.h>

#include <utility>

#include "vantle/core/log.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"
#include "vantle/script/engine.h"
#include "vantle/xml/xmlcache.h"

namespace gui {

namespace {

const char kScreenError[] = "Error loading gui: ";

}  // namespace

RootWindow::RootWindow() : RootWindow(std::string(), math::Rect(0, 0, 800, 600)) {}

RootWindow::RootWindow(TiXmlElement* element) : Container(element) {
    RootServices::SetImplementation(this);
}

RootWindow::RootWindow(const std::string& id, const math::Rect& rect) : Container(id, rect) {
    RootServices::SetImplementation(this);
}

RootWindow::~RootWindow() {
    if (RootServices::GetImplementation() == this) RootServices::SetImplementation(nullptr);
}

core::ptr<TiXmlDocument> RootWindow::LoadScreenFile(const std::string& name) {
    const core::ptr<TiXmlDocument> document = xml::XmlCache::instance()->Get(name);
    if (!document) {
        core::Log::instance()->Write("Can't load %s", name.c_str());
        return core::ptr<TiXmlDocument>();
    }
    if (xml::ReportParseError(*document, kScreenError)) return core::ptr<TiXmlDocument>();
    if (!document->FirstChildElement("gui")) {
        core::Log::instance()->Write("%s%s : no gui element", kScreenError, name.c_str());
        return core::ptr<TiXmlDocument>();
    }
    return document;
}

// The file is read before anything is taken down: a screen that cannot be shown leaves the one there.
void RootWindow::Load(const std::string& name, bool reset) {
    const core::ptr<TiXmlDocument> document = LoadScreenFile(name);
    if (!document) return;
    if (reset) {
        _loaded_files.clear();
        _keyboard_focus.clear();
        Clear();
        render::Renderer().ClearTextures();
        ForgetPointer();
    }
    _loaded_files.push_back(name);
    LoadScreen(document->FirstChildElement("gui"));
}

void RootWindow::LoadScreen(TiXmlElement* gui) {
    const math::Rect area(gui);
    if (area.Width() > 0) rect = area;
    LoadChilds(gui, false);
    // Only the last file's handlers: a screen made of several files answers as its last one.
    handlers.clear();
    LoadHandlers(gui->FirstChildElement("handlers"));
    PrepareHandlers();
    CalcAbsRect(math::Rect());
    // Not counted as a reload: a screen loaded over the one there (an overlay) leaves its windows in
    // place, and Clear counts a load that replaces them.
    CallHandler("on_load");
    _reloaded = true;
}

void RootWindow::ForgetPointer() {
    hovered.reset();
    _tooltip.reset();
}

void RootWindow::Clear() {
    _loaded_files.clear();
    // Script objects may be all that still holds some of the windows.
    script::Engine::instance()->RunGC();
    Window::Clear();
    render::TextureCache::instance()->Clear();
    render::Renderer().ClearTextures();
    RootServices::CountReload();
}

void RootWindow::Push() {
    _saved_handlers.push_back(handlers);
    _saved_files.push_back(_loaded_files);
}

RootWindow::Handlers RootWindow::TakeSavedHandlers() {
    if (_saved_handlers.empty()) return Handlers();
    Handlers saved = std::move(_saved_handlers.back());
    _saved_handlers.pop_back();
    return saved;
}

// What is popped leaves the stacks before any handler runs, so a handler that pushes or pops meanwhile
// finds them in order.
void RootWindow::Pop() {
    if (_saved_files.empty()) return;
    const std::vector<std::string> files = std::move(_saved_files.back());
    _saved_files.pop_back();
    Handlers saved = TakeSavedHandlers();
    Clear();
    render::Renderer().ClearTextures();
    for (const std::string& file : files) Load(file, false);
    handlers = std::move(saved);
    ForgetPointer();
    CallHandler("on_pop");
}

void RootWindow::Push2() {
    _saved_childs.push_back(childs);
    _saved_handlers.push_back(handlers);
}

void RootWindow::Pop2() {
    if (_saved_childs.empty()) return;
    WindowList saved_childs;
    saved_childs.Swap(_saved_childs.back());
    _saved_childs.pop_back();
    Handlers saved = TakeSavedHandlers();
    Clear();
    render::Renderer().ClearTextures();
    childs.Swap(saved_childs);
    handlers = std::move(saved);
    // The screen in between may have given the root another rect.
    CalcAbsRect(math::Rect());
    ForgetPointer();
    CallHandler("on_pop");
}

void RootWindow::Render() {
    Window::Render();
    const core::ptr<Window> tip = _tooltip;
    if (tip) tip->Render();
}

}  // namespace gui
