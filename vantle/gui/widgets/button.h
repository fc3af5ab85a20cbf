#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/button_look.h"
#include "vantle/gui/widgets/clickable_window.h"

class TiXmlElement;

namespace render {
class ITexture;
}

namespace gui {

// The push button: state tiles with fades, a shadow and a caption, as ButtonLook describes, fixed at
// load. Its update is the plain window's.
class Button : public ClickableWindow {
public:
    // The attributes of ButtonLook::Load.
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
    ButtonLook look;
};

// The factory's creator for "button".
Window* CreateButton(TiXmlElement* element);

}  // namespace gui
