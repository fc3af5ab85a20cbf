#pragma once

#include <map>
#include <string>

#include "vantle/core/context.h"
#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/drawable_window.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace gui {

// One of several keyed pictures, chosen by the text of the value bound through "value_key" (numbers by
// their decimal text, so 1 and 1.0 both choose "1"). A value without a picture leaves the last one
// shown; before any match nothing shows. Takes no input. Deleted only as a Window.
class ImageBox : public DrawableWindow, public core::Context::Link {
public:
    explicit ImageBox(TiXmlElement* element);
    ImageBox(const std::string& id, const math::Rect& rect);

    // Each child "image" is a tile stored under its "key" (a later one replaces an earlier one; one
    // without a key is skipped); then the bound value chooses.
    void LoadBoxData(TiXmlElement* element);
    void OnUpdate() override;
    // Shows the picture of that key; an unknown key changes nothing.
    void SetImage(const std::string& key);
    // The chosen picture over the window's rect; children are not drawn.
    void Render() override;

    const core::ptr<render::Tile>& GetCurrent() const { return current; }

    // Registers "imagebox" with the window factory.
    static void Register();

private:
    std::map<std::string, core::ptr<render::Tile>> images;
    core::ptr<render::Tile> current;
};

// The factory's creator for "imagebox".
Window* CreateImageBox(TiXmlElement* element);

}  // namespace gui
