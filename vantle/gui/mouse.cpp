#include "vantle/gui/mouse.h"

#include "vantle/input/mouse.h"
#include "vantle/render/render.h"
#include "vantle/render/texture_cache.h"

namespace gui {

Mouse::Mouse() : rect(0.0f, 0.0f, kSize, kSize) {}

void Mouse::SetTexture(const std::string& name) {
    tile = render::Tile(render::TextureCache::instance()->Get(name));
}

void Mouse::Update() {
    input::Mouse* pointer = input::Mouse::instance();
    rect.MoveTo(static_cast<float>(pointer->GetPositionX()), static_cast<float>(pointer->GetPositionY()));
    shown = pointer->IsInside();
}

void Mouse::Render() {
    if (shown) render::Renderer().DrawRect(rect, tile);
}

}  // namespace gui
