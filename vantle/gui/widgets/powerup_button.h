#pragma once

#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace effects {
class Effect;
}

namespace game {
class Powerup;
}

namespace render {
class IRender;
}

namespace gui {

// One power-up of the current player's set, named by "powerup", during a game. Each frame it reads the
// power-up's level and fill: the level's "front" tile shows over its "back" as a clockwise wipe from
// twelve o'clock that grows with the fill (whole once charged), and once a charge is banked an overlay
// follows the click state. "ready_effect" plays once per completed charge, "mouse_effect" at the pointer
// on a press of a ready button, "not_ready_effect" on a press of one that is not.
//
// The wipe clears and uses the stencil buffer; nothing else may rely on its contents across this button.
class PowerupButton : public ClickableWindow {
public:
    // The look of one power-up level; copies share the tiles.
    struct LevelState {
        core::ptr<render::Tile> back;
        core::ptr<render::Tile> front;
        core::ptr<render::Tile> normal;
        core::ptr<render::Tile> active;
        core::ptr<render::Tile> pressed;
    };

    explicit PowerupButton(TiXmlElement* element);

    // Follows the power-up of the name in the current set, which may appear, change or vanish.
    void Update() override;
    void Render() override;
    // Any button: a ready power-up runs "on_activate" and becomes the selected one.
    void OnMouseDown(const math::Vector2& pos) override;

    const core::ptr<game::Powerup>& GetPowerup() const { return powerup; }

    // Registers "powerup_button" and "powerupbutton" with the window factory.
    static void Register();

private:
    void LoadLevels(TiXmlElement* levels_element);
    bool ChargeCompleted(unsigned int previous_level, float previous_fill) const;
    void DrawTile(render::IRender& renderer, const core::ptr<render::Tile>& tile) const;
    void DrawCharge(render::IRender& renderer) const;
    void DrawChargeWipe(render::IRender& renderer, const render::Tile& tile) const;
    void DrawWipeMask(render::IRender& renderer) const;
    const core::ptr<render::Tile>& OverlayTile() const;
    math::Vector2 Centre() const;
    // A clone of the prototype, started on the global effect manager at the point.
    static void PlayEffect(const core::ptr<effects::Effect>& prototype, const math::Vector2& at);

    core::ptr<game::Powerup> powerup;
    std::string name;
    core::ptr<render::Tile> disabled;
    core::ptr<render::Tile> unavailable;
    core::ptr<effects::Effect> ready_effect;
    core::ptr<effects::Effect> not_ready_effect;
    core::ptr<effects::Effect> mouse_effect;
    std::vector<LevelState> levels;
    // As last read from the power-up; 0 until it is first found.
    unsigned int level = 0;
    float fill = 0.0f;
};

// The factory's creator for "powerup_button" and "powerupbutton".
Window* CreatePowerupButton(TiXmlElement* element);

}  // namespace gui
