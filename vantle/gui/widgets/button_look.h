#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/clickable_window.h"
#include "vantle/render/font_bmf.h"
#include "vantle/render/tile.h"

class TiXmlElement;

namespace render {
class IRender;
class ITexture;
}  // namespace render

namespace gui {

class Style;

// The look of the push-button kinds: a tile per click state (default, active under the pointer, pressed),
// one shown while disabled and a shadow under them all, and a caption centred on the button. A change of
// the click state fades the new state's tile in over the old one's, in "switch1" ms into the default
// state and "switch2" ms into the active one; the pressed state shows at once.
//
// The caption needs the font of the window's style. A style with a font also gives the look its tiles,
// size, shadow and fade times wherever it has them, over the element's; a style without one is ignored.
class ButtonLook {
public:
    // "default", "active", "pressed", "disabled" and "shadow" name textures; "switch1", "switch2"; "text"
    // is a message key. A style with a font may resize rect.
    void Load(TiXmlElement* element, const Style* style, math::Rect& rect);
    // The three textures as the default, active and pressed tiles.
    void SetTextures(const core::ptr<render::ITexture>& normal, const core::ptr<render::ITexture>& active,
                     const core::ptr<render::ITexture>& pressed);
    // Starts the fade away from the state the button leaves.
    void StartFade(int leaving_state);
    // Inside the window's successful RenderStart.
    void Draw(render::IRender& renderer, const math::Rect& rect, int click_state, bool enabled);

private:
    // The caption's colours, in the order of the style's text colours; the click states come first.
    enum CaptionColor { CAPTION_DEFAULT, CAPTION_ACTIVE, CAPTION_PRESSED, CAPTION_DISABLED, kCaptionColors };
    static constexpr int kClickStates = 3;

    void LoadTiles(TiXmlElement* element);
    void LoadCaption(TiXmlElement* element);
    // Steps that only a style with a font takes.
    void LayOutCaptions(const Style& style);
    void TakeStyleLook(const Style& style, math::Rect& rect);
    void PlaceCaptions(const Style& style, const math::Rect& rect);

    const core::ptr<render::Tile>& StateTile(int state) const;
    unsigned int FadeTime(int state) const;
    void DrawStateTiles(render::IRender& renderer, const math::Rect& rect, int click_state);
    void DrawCaption(render::IRender& renderer, const math::Rect& rect, int click_state);

    core::ptr<render::Tile> tile_default;
    core::ptr<render::Tile> tile_active;
    core::ptr<render::Tile> tile_pressed;
    core::ptr<render::Tile> tile_disabled;
    core::ptr<render::Tile> tile_shadow;
    bool has_caption = false;
    std::string caption;
    core::ptr<render::IFont::RenderedText> caption_text[kCaptionColors];
    math::Vector2 caption_offset[kClickStates];
    int from_state = ClickableWindow::STATE_DEFAULT;
    unsigned int switch_start = 0;
    unsigned int switch_time1 = 0;
    unsigned int switch_time2 = 0;
};

}  // namespace gui
