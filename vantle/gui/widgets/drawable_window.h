#pragma once

#include <string>

#include "vantle/gui/window.h"
#include "vantle/render/color.h"

class TiXmlElement;

namespace render {
class IRender;
class Render;
}  // namespace render

namespace gui {

// A window that draws, with one colour from its layout element: "color" (six or eight hexadecimal
// digits) or, without it, any of "color_r", "color_g", "color_b" and "color_a" as floats over opaque
// white.
class DrawableWindow : public Window {
public:
    explicit DrawableWindow(TiXmlElement* element);
    // Opaque white; reads nothing.
    DrawableWindow(const std::string& id, const math::Rect& rect);

    const render::Color& GetColor() const { return color; }
    void SetColor(const render::Color& c) { color = c; }

protected:
    void LoadColor(TiXmlElement* element);
    // The back end of the moment, fetched at every draw: it may be installed after the window is built or
    // replaced between frames.
    render::IRender& Renderer() const;

    render::Render* render;
    render::Color color{1.0f, 1.0f, 1.0f, 1.0f};
};

}  // namespace gui
