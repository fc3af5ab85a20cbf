#include "vantle/gui/widgets/image.h"

#include "vantle/core/properties.h"
#include "vantle/gui/style.h"
#include "vantle/gui/widgets/text_attributes.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/render.h"
#include "vantle/render/scopes.h"
#include "vantle/render/texture_cache.h"
#include "vantle/xml/attributes.h"

namespace gui {

Image::Image(TiXmlElement* element) : DrawableWindow(element) {
    RegisterProperty();
    LoadTile(element);
}

Image::Image(const std::string& id, const math::Rect& rect, const core::ptr<render::ITexture>& texture)
    : Image(id, rect, render::Tile(texture)) {}

Image::Image(const std::string& id, const math::Rect& rect, const render::Tile& tile)
    : DrawableWindow(id, rect), tile(new render::Tile(tile)) {
    RegisterProperty();
}

Window* CreateImage(TiXmlElement* element) {
    return new Image(element);
}

void Image::Register() {
    WindowFactory::instance()->Register("image", &CreateImage);
}

void Image::RegisterProperty() {
    properties.Add("texture",
                   new core::Property<Image>(this, &Image::GetTextureFilename, &Image::SetTextureFilename));
}

void Image::LoadTile(TiXmlElement* element) {
    atlas_mode = false;
    tile = core::ptr<render::Tile>(new render::Tile(element));
    filtering = ReadFiltering(element);
    if (style) TakeStyle();
    if (const char* file = xml::FindText(element, "atlas")) LoadAtlas(file);
}

void Image::TakeStyle() {
    tile = style->tile;
    rect.right = rect.left + style->size.x;
    rect.bottom = rect.top + style->size.y;
}

void Image::LoadAtlas(const std::string& file) {
    atlas_mode = true;
    atlas = core::ptr<render::Atlas>(new render::Atlas(file));
    // A style without a tile leaves no rectangle to cut by: the whole atlas then.
    part = atlas->GetPart(tile ? tile->rect : math::Rect(0.0f, 0.0f, 1.0f, 1.0f));
}

void Image::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    render::FilteringScope filter(renderer, filtering);
    if (atlas_mode) {
        DrawAtlasCells(renderer);
    } else if (tile) {
        renderer.DrawRect(rect, *tile);
    }
}

void Image::DrawAtlasCells(render::IRender& renderer) const {
    const float width = rect.Width();
    const float height = rect.Height();
    for (const render::Atlas::Part::Cell& cell : part.cells) {
        const math::Rect place(cell.rect.left * width, cell.rect.top * height, cell.rect.right * width,
                               cell.rect.bottom * height);
        renderer.DrawRect(place, cell.tile);
    }
}

void Image::SetTexture(const core::ptr<render::ITexture>& texture) {
    // A new tile: the old one may be a style's, shared with every window of that style.
    render::Tile changed = tile ? *tile : render::Tile();
    changed.SetTexture(texture);
    tile = core::ptr<render::Tile>(new render::Tile(changed));
}

void Image::SetTextureFilename(const core::Value& name) {
    tile = core::ptr<render::Tile>(new render::Tile(render::TextureCache::instance()->Get(name.as_string())));
}

}  // namespace gui
