#pragma once

#include <string>

#include "vantle/core/context.h"
#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace gui {

// A horizontal slider over a float in 0..1 held in a context link ("value_key"): a back bar, a front bar
// growing from the left with the value and an optional knob. A press on it grabs the mouse; each move
// while grabbed writes the value under the pointer, unclamped, through the link and runs "on_change"
// with it. The bars are laid out, clamped, from the value the link holds: when built and after each of
// the slider's own writes, not when others write the key. Deleted only as a Window.
class Slider : public DrawableWindow, public core::Context::Link {
public:
    // Children "front", "back" and "key" (the knob): each a tile with its own geometry. A bar without a
    // height takes the window's rect; every bar takes the window's width and is centred on its height.
    // A missing bar is not drawn.
    explicit Slider(TiXmlElement* element);
    // No knob; the front bar over the window's rect.
    Slider(const std::string& id, const math::Rect& rect, const core::ptr<render::Tile>& front,
           const core::ptr<render::Tile>& back);

    void Render() override;
    // Keeps the front bar's top-left corner on the window, then the plain window update.
    void Update() override;
    void OnEvent(const Event& event) override;
    // Lays the front bar and the knob out for the held value.
    void OnUpdate() override;

    bool IsGrabbed() const { return grabbed; }
    const math::Rect& GetFrontRect() const { return front_rect; }
    const math::Rect& GetKnobRect() const { return knob_rect; }

    // Registers "slider" with the window factory.
    static void Register();

private:
    void LoadBar(TiXmlElement* element, const char* name, core::ptr<render::Tile>& tile, math::Rect& at);
    void PlaceBars();
    // The value under x, in the window's own frame.
    float ValueAt(float x) const;
    float KnobWidth() const { return has_knob ? knob_rect.Width() : 0.0f; }
    void CentreKnob();
    void Release();

    core::ptr<render::Tile> front;
    core::ptr<render::Tile> back;
    bool has_knob = false;
    core::ptr<render::Tile> knob;
    math::Rect front_rect;
    math::Rect back_rect;
    math::Rect front_texture_rect;
    math::Rect front_shown_texture_rect;
    math::Rect knob_rect;
    bool grabbed = false;
};

// The factory's creator for "slider".
Window* CreateSlider(TiXmlElement* element);

}  // namespace gui
