#pragma once

#include "vantle/core/ptr.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"

namespace gui {

class Window;

// What the windows of a screen ask of the root window above them.
class IRootServices {
public:
    virtual ~IRootServices() = default;
    // Shows the tip at pos, the pointer in screen units; an empty tip shows none.
    virtual void SetTooltip(const core::ptr<Window>& tip, const math::Vector2& pos) = 0;
    virtual void DisableTooltip() = 0;
    // Pointer moves and buttons go to the window alone until it lets go.
    virtual void SetGrabMouse(const core::ptr<Window>& window, const math::Rect& rect) = 0;
    // The window is going away: it must no longer receive the keys. Nothing to do for a root that keeps
    // no keyboard focus.
    virtual void UnsetKeyboardFocus(Window*) {}
};

// The root window's services as the windows under it reach them, and the count of screens loaded. The
// root window installs itself; until then the requests go nowhere.
class RootServices {
public:
    static void SetImplementation(IRootServices* root);
    static IRootServices* GetImplementation();

    static void SetTooltip(const core::ptr<Window>& tip, const math::Vector2& pos);
    static void DisableTooltip();
    static void SetGrabMouse(const core::ptr<Window>& window, const math::Rect& rect);
    static void UnsetKeyboardFocus(Window* window);

    // The root window counts every time it takes its windows down: a load that replaces the screen, a
    // clear, a screen brought back. A handler may do so from inside a walk over windows; the walk then
    // stops (ReloadWatch), because the windows it was about to call belong to a screen that is gone. A
    // screen loaded over the one there (an overlay) is not counted: the windows stay.
    static void CountReload();
    static unsigned int Reloads();
};

// Tells whether the screen's windows were taken down since it was made.
class ReloadWatch {
public:
    ReloadWatch() : _start(RootServices::Reloads()) {}
    bool Reloaded() const { return RootServices::Reloads() != _start; }

private:
    unsigned int _start;
};

}  // namespace gui
