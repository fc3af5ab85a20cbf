#include "vantle/gui/widgets/text_box.h"

#include <tinyxml.h>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/gui/window_factory.h"
#include "vantle/i18n/mtable.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/scopes.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

// The bitmap font draws at its own size whatever is asked.
constexpr unsigned int kRequestedSize = 1;

render::Render::TextAlign ReadAlign(const TiXmlElement* element) {
    const std::string word = xml::ReadText(element, "align", "left");
    if (word == "right") return render::Render::RIGHT;
    if (word == "center") return render::Render::CENTER;
    return render::Render::LEFT;
}

}  // namespace

TextBox::TextBox(TiXmlElement* element) : DrawableWindow(element) {
    LoadData(element);
}

TextBox::TextBox(const std::string& id, const math::Rect& rect, const std::string& text,
                 const core::ptr<render::IFont>& font, float size, render::Render::TextAlign align)
    : DrawableWindow(id, rect), font(font), alignment(align), size(size), text(text) {}

Window* CreateTextBox(TiXmlElement* element) {
    return new TextBox(element);
}

void TextBox::Register() {
    WindowFactory::instance()->Register("textbox", &CreateTextBox);
}

void TextBox::LoadData(TiXmlElement* element) {
    line_space = kDefaultLineSpace;
    size = xml::ReadFloat(element, "size", size);
    line_space = xml::ReadFloat(element, "linespace", line_space);
    const char* key = xml::FindText(element, "text");
    if (!key && element) key = element->GetText();
    if (key) text = i18n::MessageTable::instance()->GetMsg(key);
    alignment = ReadAlign(element);
    if (const char* name = xml::FindText(element, "font")) font = render::FontCache::instance()->Get(name);
    Build();
}

// Greedy, on single blanks: two blanks in a row make an empty word. Every line keeps the blank after its
// last word, and the width test counts it before the next word, as the line that results would.
void TextBox::Build() {
    lines.clear();
    if (!font) {
        core::Log::instance()->Write("textbox %s: no font, no lines", id.c_str());
        return;
    }
    const float width = rect.Width();
    std::string line;
    for (const std::string& word : core::str_split(text, " ")) {
        // Never an empty first line, even when the first word is wider than the box.
        if (!line.empty() && font->GetTextWidth(line + " " + word) > width) {
            AddLine(line);
            line.clear();
        }
        line += word + " ";
    }
    if (!line.empty()) AddLine(line);
}

void TextBox::AddLine(const std::string& line) {
    lines.push_back(font->RenderText(line, kRequestedSize, color));
}

void TextBox::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    render::WorldMatrixScope moved(renderer, math::Translation(rect.TopLeft()));
    renderer.SetFilteringMode(render::IRender::FILTER_POINT);
    const math::Matrix4 next_line = math::Translation(math::Vector2(0.0f, line_space));
    for (const auto& line : lines) {
        if (line) renderer.DrawVertexBuffer(line->vertices, line->texture.get());
        renderer.MultWorldMatrix(next_line);
    }
}

}  // namespace gui
