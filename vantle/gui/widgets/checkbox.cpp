#include "vantle/gui/widgets/checkbox.h"

#include <utility>

#include "vantle/gui/window_factory.h"
#include "vantle/render/irender.h"
#include "vantle/render/texture_cache.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

core::ptr<render::Tile> WholeTexture(const core::ptr<render::ITexture>& texture) {
    return core::ptr<render::Tile>(new render::Tile(texture));
}

// A texture left out in code gives no picture, not a plain white one.
core::ptr<render::Tile> GivenTexture(const core::ptr<render::ITexture>& texture) {
    return texture ? WholeTexture(texture) : core::ptr<render::Tile>();
}

void DrawTile(render::IRender& renderer, const math::Rect& rect, const core::ptr<render::Tile>& tile) {
    if (tile) renderer.DrawRect(rect, *tile);
}

}  // namespace

Checkbox::Checkbox(TiXmlElement* element) : CheckableWindow(element) {
    LoadData(element);
}

Checkbox::Checkbox(const std::string& id, const math::Rect& rect,
                   const core::ptr<render::ITexture>& default_texture,
                   const core::ptr<render::ITexture>& active_texture,
                   const core::ptr<render::ITexture>& pressed_texture,
                   const core::ptr<render::ITexture>& checkmark_texture)
    : CheckableWindow(id, rect),
      default_tile(GivenTexture(default_texture)),
      active_tile(GivenTexture(active_texture)),
      pressed_tile(GivenTexture(pressed_texture)),
      checkmark_tile(GivenTexture(checkmark_texture)) {}

Window* _CreateCheckbox(TiXmlElement* element) {
    return new Checkbox(element);
}

void Checkbox::Register() {
    WindowFactory::instance()->Register("checkbox", &_CreateCheckbox);
}

void Checkbox::LoadData(TiXmlElement* element) {
    const std::pair<const char*, core::ptr<render::Tile>*> tiles[] = {
        {"default", &default_tile},
        {"active", &active_tile},
        {"pressed", &pressed_tile},
        {"checkmark", &checkmark_tile},
    };
    for (const auto& tile : tiles) {
        const char* name = xml::FindText(element, tile.first);
        if (name) *tile.second = WholeTexture(render::TextureCache::instance()->Get(name));
    }
}

void Checkbox::Render() {
    const RenderScope scope(*this);
    if (!scope) return;
    const core::ptr<render::Tile>* const state_tiles[] = {&default_tile, &active_tile, &pressed_tile};
    render::IRender& renderer = Renderer();
    if (click_state >= STATE_DEFAULT && click_state <= STATE_PRESSED) {
        DrawTile(renderer, rect, *state_tiles[click_state]);
    }
    if (checked) DrawTile(renderer, rect, checkmark_tile);
}

}  // namespace gui
