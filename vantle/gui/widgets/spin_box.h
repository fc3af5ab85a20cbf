#pragma once

#include <cstdint>
#include <string>

#include "vantle/core/context.h"
#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace gui {

// A small integer input: a white bar with a red square at each end, the right one adding "step" and the
// left one subtracting it, kept within "min" and "max" (0, 100 and 1 when absent), and the value centred
// at the top in the style's font (no value shown without one). The value lives in the link, bound to the
// key named in "value_key"; every click in a square writes it there and to the key "$", from which
// functors take their argument, then runs "on_change" with it, also when a bound stopped the step. The
// squares are placed once, from the rect when built. Deleted only as a Window.
class SpinBox : public ClickableWindow, public core::Context::Link {
public:
    explicit SpinBox(TiXmlElement* element);
    // Unbound, with the default bounds and step and no font.
    SpinBox(const std::string& id, const math::Rect& rect);

    void Render() override;
    // Where the squares overlap, the right one wins.
    void OnClick(const math::Vector2& pos) override;

    // Registers "spinbox" with the window factory.
    static void Register();

private:
    void PlaceZones();
    // The value moved by delta, or unchanged when that passes the bound its square checks ("max" going
    // up, "min" going down, whatever the sign of the step) or leaves the 32-bit range.
    std::int32_t Step(std::int64_t delta, bool up) const;
    void Show(const std::string& text);

    math::Rect left_zone;
    math::Rect right_zone;
    std::int32_t min = 0;
    std::int32_t max = 100;
    std::int32_t step = 1;
    core::ptr<render::IFont> font;
    std::string shown_text;
    core::ptr<render::Tile> left_tile;
    core::ptr<render::Tile> right_tile;
    core::ptr<render::IFont::RenderedText> rendered_text;
};

// The factory's creator for "spinbox".
Window* CreateSpinBox(TiXmlElement* element);

}  // namespace gui
