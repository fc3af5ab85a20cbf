#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/math/vec2.h"
#include "vantle/render/color.h"
#include "vantle/utils/cache.h"

class TiXmlElement;

namespace render {
class IFont;
class Tile;
}  // namespace render

namespace gui {

// A look shared by windows: a size, tiles and text colours and offsets for the base state and the
// "_active", "_pressed" and "_disabled" states, a shadow, a font and two timings whose meaning each
// widget decides. Shared through core::ptr<Style>; the widgets read the fields when they draw.
class Style {
public:
    // Everything empty, zero or transparent black.
    Style() = default;
    // One child element per field, named after it; of two with one name the later wins. A state's text
    // colour or offset that no element gives is the base one; a state's tile has no such fallback.
    // Unknown elements, and elements without the attribute they need, are logged and skipped.
    explicit Style(TiXmlElement* element);

    math::Vector2 size;
    core::ptr<render::Tile> tile;
    core::ptr<render::Tile> tile_active;
    core::ptr<render::Tile> tile_pressed;
    core::ptr<render::Tile> tile_disabled;
    render::Color text_color;
    render::Color text_color_active;
    render::Color text_color_pressed;
    render::Color text_color_disabled;
    core::ptr<render::IFont> font;
    math::Vector2 text_adjust;
    math::Vector2 text_adjust_active;
    math::Vector2 text_adjust_pressed;
    math::Vector2 text_adjust_disabled;
    core::ptr<render::Tile> shadow;
    unsigned int switch_time1 = 0;
    unsigned int switch_time2 = 0;

private:
    // Whether the child set the field it names.
    bool LoadField(TiXmlElement* child);
};

// Makes the styles the style cache asks for.
class StyleFactory {
public:
    // The style of the file's first "style" element. Empty when the file is missing, does not parse
    // (logged as "Error loading style: <name> : <reason>") or has no such element.
    static core::ptr<Style> Create(const std::string& name);
};

// Every style file loaded once and shared by its name.
class StyleCache : public utils::Cache<Style, std::string, StyleFactory>,
                   public core::Singleton<StyleCache> {};

}  // namespace gui
