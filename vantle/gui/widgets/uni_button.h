#pragma once

#include <string>

#include "vantle/core/ptr.h"
#include "vantle/gui/widgets/checkable_window.h"
#include "vantle/gui/widgets/clickable_window.h"

class TiXmlElement;

namespace render {
class ITexture;
}

namespace gui {

// The composite buttons take their look from window content in the layout: each state element
// ("default", "active", "pressed", and "disabled" or "checkmark") becomes a container child named after
// the state, and the update shows the containers of the current state and hides the others. They draw
// nothing of their own; their visible children are drawn as any window's. Visibility changes only when
// the state does, and a state without its element shows nothing.
//
// Containers are found by id: a child of the layout that takes a state's name first stands in for that
// state's container.

// A clickable window with a container per click state and one shown while disabled. Other window
// elements under it become ordinary children, always left as they are.
class UniButton : public ClickableWindow {
public:
    explicit UniButton(TiXmlElement* element);
    // No containers.
    UniButton(const std::string& id, const math::Rect& rect);

    void LoadContent(TiXmlElement* element);
    // In place of the window's update, so no "on_update" and no timed state change. The visible children
    // are updated, except in the update that finds the button just disabled.
    void Update() override;

    // Registers "unibutton" with the window factory.
    static void Register();

private:
    void LoadOrdinaryChilds(TiXmlElement* element);

    int last_enabled = 1;
    int last_state = STATE_DEFAULT;
};

// A checkable window with a container per click state and a check mark above them, shown while checked.
// Nothing else under it makes a window, and its children never update.
class UniCheckbox : public CheckableWindow {
public:
    explicit UniCheckbox(TiXmlElement* element);
    // No containers; the textures are not used.
    UniCheckbox(const std::string& id, const math::Rect& rect,
                const core::ptr<render::ITexture>& default_texture,
                const core::ptr<render::ITexture>& active_texture,
                const core::ptr<render::ITexture>& pressed_texture,
                const core::ptr<render::ITexture>& checkmark_texture);

    void LoadContent(TiXmlElement* element);
    // In place of the window's update: visibility by click state and checked, nothing else.
    void Update() override;

    // Registers "unicheckbox" with the window factory.
    static void Register();

private:
    int last_state = STATE_DEFAULT;
    int last_checked = 0;
};

// The factory's creators for "unibutton" and "unicheckbox".
Window* CreateUniButton(TiXmlElement* element);
Window* _CreateUniCheckbox(TiXmlElement* element);

}  // namespace gui
