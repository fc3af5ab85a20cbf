#pragma once

#include <string>

#include "vantle/core/context.h"
#include "vantle/gui/widgets/clickable_window.h"

class TiXmlElement;

namespace gui {

// A clickable window holding a boolean in a context link: bound to the key its layout names in
// "value_key", or kept locally without one. Each click flips the linked value, writes it back (so every
// window bound to the key follows), then runs OnCheck and "on_check" or OnUncheck and "on_uncheck".
//
// The flip follows the linked value, which tracks every write of the key; the shown state, checked,
// takes the value only when built and at clicks. Deleted only as a Window.
class CheckableWindow : public ClickableWindow, public core::Context::Link {
public:
    explicit CheckableWindow(TiXmlElement* element);
    // Unbound and unchecked.
    CheckableWindow(const std::string& id, const math::Rect& rect);

    // checked from the linked value; the element itself is not read.
    void Load(TiXmlElement* element);
    void OnClick(const math::Vector2& pos) override;
    // Hooks for subclasses, empty here.
    virtual void OnCheck();
    virtual void OnUncheck();

    bool IsChecked() const { return checked != 0; }

protected:
    // What subclasses draw: 1 checked, 0 not.
    int checked = 0;
};

}  // namespace gui
