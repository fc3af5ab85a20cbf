#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/drawable_window.h"

class TiXmlElement;

namespace effects {
class Effect;
}

namespace gui {

// A window that is at once an effect tree: the element's effect children run centred in the window's
// rect, started once when the layout is read. The holder updates and draws the effect only; it draws
// within its level-of-detail range but without the window's alpha, clipping, animation or transform,
// and it runs no "on_update", state change or child update.
class EffectHolder : public DrawableWindow {
public:
    explicit EffectHolder(TiXmlElement* element);
    // Without an effect.
    EffectHolder(const std::string& id, const math::Rect& rect);
    ~EffectHolder() override;

    void Update() override;
    void Render() override;

    const core::ptr<effects::Effect>& GetEffect() const { return effect; }

    // Registers "effect" with the window factory.
    static void Register();

private:
    core::ptr<effects::Effect> effect;
};

// The factory's creator for "effect".
Window* CreateEffectHolder(TiXmlElement* element);

}  // namespace gui
