#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/render.h"

class TiXmlElement;

namespace gui {

// A clickable caption: a fixed string in the window colour, in "color_active" under the pointer and in
// "color_pressed" while pressed, laid out once at load. The window's rect becomes the caption's box,
// anchored at the layout's top-left corner like a Text, so only the caption reacts to the mouse. A click
// runs "on_click". Deleted only as a Window.
class Link : public ClickableWindow {
public:
    // "text" (taken literally) or, without it, the element's content; "font", "size", "align",
    // "color_active", "color_pressed". Without a font the link is empty and its rect has no size.
    explicit Link(TiXmlElement* element);
    // Draws nothing.
    Link(const std::string& id, const math::Rect& rect);

    void LoadData(TiXmlElement* element);
    void Render() override;

    // Registers "link" with the window factory.
    static void Register();

private:
    static constexpr int kClickStates = 3;

    core::ptr<render::IFont> font;
    // By click state: default, active, pressed.
    core::ptr<render::IFont::RenderedText> captions[kClickStates];
    render::Render::TextAlign align = render::Render::LEFT;
    float size = 0.0f;
};

// The factory's creator for "link".
Window* CreateLink(TiXmlElement* element);

}  // namespace gui
