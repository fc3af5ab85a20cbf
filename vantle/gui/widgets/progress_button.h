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

// A second push-button kind that looks, fades and clicks exactly like Button, with the same attributes
// and style rules, but does no per-frame work: no child updates, no "on_update", no timed state change.
class ProgressButton : public ClickableWindow {
public:
    explicit ProgressButton(TiXmlElement* element);
    // No tiles but the three textures, no caption.
    ProgressButton(const std::string& id, const math::Rect& rect, const core::ptr<render::ITexture>& normal,
                   const core::ptr<render::ITexture>& active, const core::ptr<render::ITexture>& pressed);

    void LoadData(TiXmlElement* element);
    void Render() override;
    void Update() override {}
    void OnChangeState() override;

    // Registers "progress_button" with the window factory.
    static void Register();

private:
    ButtonLook look;
};

// The factory's creator for "progress_button".
Window* CreateProgressButton(TiXmlElement* element);

}  // namespace gui
