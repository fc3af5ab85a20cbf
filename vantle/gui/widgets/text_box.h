#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/render.h"

class TiXmlElement;

namespace gui {

// A fixed paragraph wrapped at single blanks into lines no wider than the window, drawn from the window's
// top-left corner one line space apart (default 30), each from the left edge. A word wider than the box
// stands on a line of its own. The lines are laid out once, in the window colour, when built.
class TextBox : public DrawableWindow {
public:
    // "text" (a message key) or, without it, the element's content; "font", "size", "linespace", "align".
    explicit TextBox(TiXmlElement* element);
    // The text as given; no lines until Build.
    TextBox(const std::string& id, const math::Rect& rect, const std::string& text,
            const core::ptr<render::IFont>& font, float size, render::Render::TextAlign align);

    void LoadData(TiXmlElement* element);
    // Lays the text out anew; without a font there are no lines.
    void Build();
    void Render() override;

    std::size_t GetLineCount() const { return lines.size(); }

    // Registers "textbox" with the window factory.
    static void Register();

private:
    void AddLine(const std::string& line);

    core::ptr<render::IFont> font;
    render::Render::TextAlign alignment = render::Render::LEFT;
    float size = 0.0f;
    float line_space = kDefaultLineSpace;
    std::string text;
    std::vector<core::ptr<render::IFont::RenderedText>> lines;

    static constexpr float kDefaultLineSpace = 30.0f;
};

// The factory's creator for "textbox".
Window* CreateTextBox(TiXmlElement* element);

}  // namespace gui
