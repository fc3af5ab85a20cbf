#pragma once

#include <string>

#include "vantle/core/context.h"
#include "vantle/core/ptr.h"
#include "vantle/core/value.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/render.h"

class TiXmlElement;

namespace gui {

// A one-line caption in a bitmap font, anchored at the top-left corner of its layout rect and aligned
// left, right or centred on that point. The string is the linked value as text: bound to the context key
// named in "value_key", the caption follows every write of the key; numbers show as decimal text.
// The caption is laid out, in the window colour, only when its string changes; after that the window rect
// is the caption's box. Scripts reach the value through the property "text". Deleted only as a Window.
class Text : public DrawableWindow, public core::Context::Link {
public:
    // "text" (a message key) or, without it, the element's content; "font", "size", "align" ("left",
    // "right" or "center"; any other word is left).
    explicit Text(TiXmlElement* element);
    Text(const std::string& id, const math::Rect& rect, const std::string& text,
         const core::ptr<render::IFont>& font, float size, render::Render::TextAlign align);

    void LoadData(TiXmlElement* element);
    // Without a font, or with an empty string, nothing is drawn and the rect keeps its last caption box.
    void Render() override;

    core::Value GetText() const { return GetValue(); }
    // Written through the link, so windows bound to the same key follow.
    void SetText(const core::Value& text) { SetValue(text); }

    // Registers "text" with the window factory.
    static void Register();

protected:
    // The caption as last laid out; empty while there is none to draw.
    const core::ptr<render::IFont::RenderedText>& GetRenderedText() const { return rendered_text; }
    float GetSize() const { return size; }
    render::Render::TextAlign GetAlign() const { return align; }

private:
    void RegisterProperty();
    // Lays the string out and fits the rect around it.
    void Prepare(const std::string& text);
    void PlaceCaption(const math::Vector2& size);

    math::Rect layout_rect;
    core::ptr<render::IFont> font;
    render::Render::TextAlign align = render::Render::LEFT;
    float size = 0.0f;
    core::ptr<render::IFont::RenderedText> rendered_text;
    std::string rendered_string;
};

// The factory's creator for "text".
Window* CreateText(TiXmlElement* element);

}  // namespace gui
