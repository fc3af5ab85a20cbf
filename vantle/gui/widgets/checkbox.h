#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/checkable_window.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace render {
class ITexture;
}

namespace gui {

// The plain check box: one picture per click state and, while checked, a check mark over it, each
// stretched over the window's rect. A state without a picture shows nothing of its own. The window's
// colour plays no part. It does no per-frame work: no child updates, no "on_update", no timed state change.
class Checkbox : public CheckableWindow {
public:
    // "default", "active", "pressed" and "checkmark" name the textures.
    explicit Checkbox(TiXmlElement* element);
    // Unbound and unchecked, one picture per texture.
    Checkbox(const std::string& id, const math::Rect& rect,
             const core::ptr<render::ITexture>& default_texture,
             const core::ptr<render::ITexture>& active_texture,
             const core::ptr<render::ITexture>& pressed_texture,
             const core::ptr<render::ITexture>& checkmark_texture);

    // A present attribute replaces its picture; an absent one keeps it.
    void LoadData(TiXmlElement* element);
    void Render() override;
    void Update() override {}

    // Registers "checkbox" with the window factory.
    static void Register();

private:
    core::ptr<render::Tile> default_tile;
    core::ptr<render::Tile> active_tile;
    core::ptr<render::Tile> pressed_tile;
    core::ptr<render::Tile> checkmark_tile;
};

// The factory's creator for "checkbox".
Window* _CreateCheckbox(TiXmlElement* element);

}  // namespace gui
