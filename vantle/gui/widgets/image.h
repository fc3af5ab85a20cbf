#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/core/value.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/atlas.h"
#include "vantle/render/irender.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace gui {

// A picture: one tile stretched over the window's rect or, when the layout names an "atlas", the atlas
// cells that the tile's texture rectangle cuts out, spread over the window's size from the parent's
// origin. Scripts swap the picture through the property "texture" (a texture file name), which reads as
// unset. Takes no input; updates as a plain window; children are not drawn.
class Image : public DrawableWindow {
public:
    explicit Image(TiXmlElement* element);
    // The whole texture in opaque white.
    Image(const std::string& id, const math::Rect& rect, const core::ptr<render::ITexture>& texture);
    Image(const std::string& id, const math::Rect& rect, const render::Tile& tile);

    // The tile ("texture", "color", child "rect"), "filtering", then a style's tile and size over them,
    // then "atlas".
    void LoadTile(TiXmlElement* element);
    // Draws with the image's filtering, leaving the renderer's mode as it found it.
    void Render() override;

    // Keeps the texture rectangle and colour; an image without a tile gets the whole texture in white.
    void SetTexture(const core::ptr<render::ITexture>& texture);
    // The property "texture": a new tile of the whole texture in opaque white.
    void SetTextureFilename(const core::Value& name);
    // The file name is not kept: always unset.
    core::Value GetTextureFilename() const { return core::Value(); }

    const core::ptr<render::Tile>& GetTile() const { return tile; }
    bool IsAtlas() const { return atlas_mode; }

    // Registers "image" with the window factory.
    static void Register();

private:
    void RegisterProperty();
    void TakeStyle();
    void LoadAtlas(const std::string& file);
    void DrawAtlasCells(render::IRender& renderer) const;

    core::ptr<render::Tile> tile;
    render::IRender::FilteringMode filtering = render::IRender::FILTER_UNSET;
    bool atlas_mode = false;
    core::ptr<render::Atlas> atlas;
    render::Atlas::Part part;
};

// The factory's creator for "image".
Window* CreateImage(TiXmlElement* element);

}  // namespace gui
