#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace render {
class ITexture;
}

namespace gui {

// The push button: a tile per click state (default, active under the pointer, pressed), one shown while
// disabled and a shadow under them all, and a caption centred on it. A change of the click state fades
// the new state's tile in over the old one's, in "switch1" ms into the default state and "switch2" ms
// into the active one; the pressed state shows at once.
//
// The caption needs the font of the window's style. A style with a font also gives the button its tiles,
// size, shadow and fade times wherever it has them, over the element's; a style without one is ignored.
// Everything is fixed at load.
class Button : public ClickableWindow {
public:
    // "default", "active", "pressed", "disabled" and "shadow" name textures; "switch1", "switch2";
    // "text" is a message key.
    explicit Button(TiXmlElement* element);
    // The three textures make the default, active and pressed tiles; no caption.
    Button(const std::string& id, const math::Rect& rect, const core::ptr<render::ITexture>& normal,
           const core::ptr<render::ITexture>& active, const core::ptr<render::ITexture>& pressed);

    void LoadData(TiXmlElement* element);
    // Does not draw child windows.
    void Render() override;
    // Starts the fade from the state the button leaves.
    void OnChangeState() override;

    // Registers "button" with the window factory.
    static void Register();

private:
    // The caption's colours, in the order of the style's text colours; the click states come first.
    enum CaptionColor { CAPTION_DEFAULT, CAPTION_ACTIVE, CAPTION_PRESSED, CAPTION_DISABLED, kCaptionColors };
    static constexpr int kClickStates = 3;

    void LoadTiles(TiXmlElement* element);
    void LoadCaption(TiXmlElement* element);
    // Steps that only a style with a font takes.
    void LayOutCaptions();
    void TakeStyleLook();
    void PlaceCaptions();

    const core::ptr<render::Tile>& StateTile(int state) const;
    unsigned int FadeTime(int state) const;
    void DrawStateTiles(render::IRender& renderer);
    void DrawCaption(render::IRender& renderer);
    void DrawTile(render::IRender& renderer, const core::ptr<render::Tile>& tile) const;

    core::ptr<render::Tile> tile_default;
    core::ptr<render::Tile> tile_active;
    core::ptr<render::Tile> tile_pressed;
    core::ptr<render::Tile> tile_disabled;
    core::ptr<render::Tile> tile_shadow;
    bool has_caption = false;
    std::string caption;
    core::ptr<render::IFont::RenderedText> caption_text[kCaptionColors];
    math::Vector2 caption_offset[kClickStates];
    int from_state = STATE_DEFAULT;
    unsigned int switch_start = 0;
    unsigned int switch_time1 = 0;
    unsigned int switch_time2 = 0;
};

// The factory's creator for "button".
Window* CreateButton(TiXmlElement* element);

}  // namespace gui
