#include "vantle/gui/widgets/edit_box.h"

#include "vantle/core/log.h"
#include "vantle/gui/event.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/scopes.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

constexpr unsigned int kBlinkTime = 300;
constexpr int kBackspace = 8;
constexpr int kReturn = 13;
constexpr float kCaretWidth = 4.0f;
// The caret's height when the layout gives the caption no size.
constexpr float kDefaultCaretHeight = 16.0f;

}  // namespace

EditBox::EditBox(TiXmlElement* element) : Text(element), blink(kBlinkTime) {
    blink.reset();
    LoadData(element);
}

EditBox::EditBox(const std::string& id, const math::Rect& rect, const core::ptr<render::IFont>& font,
                 float size, render::Render::TextAlign align)
    : Text(id, rect, std::string(), font, size, align), blink(kBlinkTime) {
    blink.reset();
    LoadData(nullptr);
}

// Before the caption goes: a key delivered to a half-destroyed box would reach a Text.
EditBox::~EditBox() {
    RootServices::UnsetKeyboardFocus(this);
}

Window* CreateEditBox(TiXmlElement* element) {
    return new EditBox(element);
}

void EditBox::Register() {
    WindowFactory* factory = WindowFactory::instance();
    factory->Register("edit", &CreateEditBox);
    factory->Register("editbox", &CreateEditBox);
}

void EditBox::LoadData(TiXmlElement* element) {
    max_size = -1;
    enabled = true;
    blink.SetInterval(kBlinkTime);
    caret_visible = false;
    if (!element) return;
    max_size = xml::ReadInt(element, "max_size", max_size);
    if (xml::ReadBool(element, "focused", false)) RootWindow::instance()->SetKeyboardFocus(this);
}

void EditBox::Update() {
    if (blink.test()) caret_visible = !caret_visible;
}

void EditBox::OnEvent(const Event& event) {
    switch (event.type) {
        case Event::KEY_DOWN:
            if (event.param == kBackspace) Backspace();
            if (event.param == kReturn) CallHandler("on_enter");
            return;
        case Event::CHAR:
            Type(event.ch);
            return;
        case Event::MOUSE_DOWN:
            RootWindow::instance()->SetKeyboardFocus(this);
            return;
        default:
            return;
    }
}

void EditBox::Backspace() {
    std::string text = GetValue().as_string();
    core::Log* log = core::Log::instance();
    log->Write("EditBox::Keydown %s (%i)", text.c_str(), static_cast<int>(text.size()));
    if (text.empty()) return;
    text.pop_back();
    log->Write("EditBox::Keydown ABs %s (%i)", text.c_str(), static_cast<int>(text.size()));
    Publish(text);
}

void EditBox::Type(char ch) {
    const std::string text = GetValue().as_string();
    if (max_size > 0 && text.size() >= static_cast<std::size_t>(max_size)) return;
    Publish(text + ch);
}

void EditBox::Publish(const std::string& text) {
    SetValue(core::Value(text));
    core::Context::instance()->Set("$", core::Value(text));
    CallHandler("on_change", text);
}

void EditBox::Render() {
    Text::Render();
    if (!caret_visible || !RootWindow::instance()->IsKeyboardFocus(this)) return;
    DrawCaret();
}

// The caret stands where typed characters appear, placed from the window rect, which the caption's
// drawing has just fitted around the caption: after the text, or at the right edge when the text ends
// there.
void EditBox::DrawCaret() {
    RenderScope scope(*this);
    if (!scope) return;
    const core::ptr<render::IFont::RenderedText>& text = GetRenderedText();
    const float w = text ? text->size.x : 0.0f;
    math::Vector2 at = rect.TopLeft();
    if (GetAlign() == render::Render::CENTER) at.x = (rect.left + rect.right) * 0.5f - w * 0.5f;
    if (GetAlign() == render::Render::RIGHT) at.x = rect.right - w;
    const float height = GetSize() > 0.0f ? GetSize() : kDefaultCaretHeight;
    render::IRender& renderer = Renderer();
    render::WorldMatrixScope moved(renderer, math::Translation(at));
    renderer.DrawRect(math::Rect(w, 0.0f, w + kCaretWidth, height), color);
}

}  // namespace gui
