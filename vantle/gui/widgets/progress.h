#pragma once

#include <string>

#include "vantle/core/context.h"
#include "vantle/core/ptr.h"
#include "vantle/effects/effect_manager.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace gui {

// A bar for the value in 0..1 bound through "value_key": the "front" tile fills the window from the left
// (from the bottom in a window taller than wide) over the "back" tile, with an optional "shadow" over the
// filled part and an optional "effect" riding the bar's moving end. With "animation_time" above 2 ms the
// bar glides to each new value over that time, and changes of 0.01 or less are ignored; otherwise it jumps.
// A value of 0 or less hides the front at once. Takes no input; runs no plain window update. Deleted only
// as a Window.
class Progress : public DrawableWindow, public core::Context::Link {
public:
    explicit Progress(TiXmlElement* element);
    // No tiles.
    Progress(const std::string& id, const math::Rect& rect);

    void Load(TiXmlElement* element);
    void OnUpdate() override;
    void Update() override;
    // A missing back or front tile is skipped.
    void Render() override;

    float GetShownValue() const { return shown_value; }
    bool IsAnimating() const { return animating; }
    const math::Rect& GetBarRect() const { return bar_rect; }

    // Registers "progress" with the window factory.
    static void Register();

private:
    // Up to this many ms the bar jumps.
    static constexpr float kJumpTime = 2.0f;
    static constexpr float kIgnoredChange = 0.01f;

    void StartEffect(TiXmlElement* element);
    void Show(float value);
    void Animate(unsigned int now);
    math::Vector2 MovingEnd() const;

    bool vertical = false;
    core::ptr<render::Tile> back;
    core::ptr<render::Tile> front;
    core::ptr<render::Tile> shadow;
    math::Rect bar_rect;
    math::Rect front_texture_rect;
    math::Rect front_shown_texture_rect;
    float animation_time = 1.0f;
    bool has_effect = false;
    effects::EffectManagerLocal effects;
    effects::EffectPuppy effect;
    bool animating = false;
    float shown_value = 0.0f;
    float start_value = 0.0f;
    float target_value = 0.0f;
    unsigned int start_time = 0;
};

// The factory's creator for "progress".
Window* CreateProgress(TiXmlElement* element);

}  // namespace gui
