#pragma once

#include <deque>
#include <map>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/core/singleton.h"
#include "vantle/gui/container.h"
#include "vantle/gui/event.h"
#include "vantle/gui/root_services.h"

class TiXmlDocument;
class TiXmlElement;

namespace gui {

// The top of the window tree: the one window the application updates and draws each frame, into which
// screens are loaded from screen files. Push/Pop put a screen aside by the files that made it and
// rebuild it; Push2/Pop2 keep its live windows. Each frame Update turns the mouse and the keyboard into
// events for the window under the pointer, the window holding the mouse grab or the keyboard focus, runs
// the keyboard navigation (Tab and the arrows move the pointer along the tab order, Return and Space
// click, Escape runs "on_esc") and updates the tree. It serves the windows under it as their
// IRootServices while it lives.
class RootWindow : public Container, public IRootServices, public core::Singleton<RootWindow> {
public:
    // Empty, 800 by 600, visible, enabled and clipping.
    RootWindow();
    // The container part from the element (its windows included) or from the id and rect; the rest as
    // above.
    explicit RootWindow(TiXmlElement* element);
    RootWindow(const std::string& id, const math::Rect& rect);
    ~RootWindow() override;

    // Screens. A screen file holds a "gui" element: its geometry becomes the root's rect when wider than
    // 0, its window elements become windows in front of those there, and its "handlers" replace the
    // root's handlers; then "on_load" runs. With reset the current screen goes first, with the window
    // under the pointer and the tooltip; without, they stay until the pointer next moves. A file that is
    // missing or damaged is logged and leaves the current screen as it is.
    void Load(const std::string& name, bool reset);
    // Removes every window and empties the texture cache; handlers, focus and tooltip stay.
    void Clear();
    // Saves the handlers and the names of the files loaded since the last reset; Pop rebuilds the
    // screen from them and runs "on_pop". Nothing to pop does nothing.
    void Push();
    void Pop();
    // Saves the live windows and the handlers; Pop2 brings back the very same windows and runs
    // "on_pop". Both kinds share one stack of handlers: pair pushes and pops last in, first out.
    void Push2();
    void Pop2();
    // Whether a screen was loaded during this frame's update.
    bool IsReloaded() const { return _reloaded; }
    // The names of the files that make the current screen, in load order.
    const std::vector<std::string>& GetLoadedFiles() const { return _loaded_files; }

    // The screen whatever the root's visibility, then the tooltip over it.
    void Render() override;
    // One frame: the button changes the mouse kept (each where it happened), then the pointer, the
    // buttons, typed characters and keys become events, and the tree updates.
    void Update() override;

    // Keyboard focus: while the list holds windows, keys and characters go to them instead of the
    // window under the pointer. The list does not own them.
    void SetKeyboardFocus(Window* window);
    // Blanks the window's entry; the blank is swept after the next delivery.
    void UnsetKeyboardFocus(Window* window) override;
    bool IsKeyboardFocus(Window* window) const;
    void CleanupKeyboardFocus();

    // Moves the pointer to the centre of the window with the next (previous) tab stop, wrapping around;
    // with no tab stop anywhere nothing changes.
    void SwitchToNext();
    void SwitchToPrev();

    // Shows the tip with its top-left corner at pos, turned to the pointer's left (and back down when
    // that takes it above the screen) when it would cross the right edge. A tip shown anew restarts
    // its creation animation; the same tip only moves.
    void SetTooltip(const core::ptr<Window>& tip, const math::Vector2& pos) override;
    void DisableTooltip() override;
    const core::ptr<Window>& GetTooltipShown() const { return _tooltip; }

    // Until ClearGrabMouse every pointer move and button goes to the window alone, in coordinates
    // relative to its own top-left corner.
    void SetGrabMouse(const core::ptr<Window>& window, const math::Rect& rect) override;
    void ClearGrabMouse();

private:
    using Handlers = std::map<std::string, Handler>;

    // The document of a screen file, or an empty pointer after a logged reason.
    static core::ptr<TiXmlDocument> LoadScreenFile(const std::string& name);
    void LoadScreen(TiXmlElement* gui);
    // The windows under the pointer and the tooltip belonged to the screen that was there.
    void ForgetPointer();
    // The top of the handler stack, taken off it; none when it is empty.
    Handlers TakeSavedHandlers();

    void ReplayButtonChanges();
    void PollPointer(const math::Vector2& p);
    void PollButtons(const math::Vector2& p);
    void PollCharacters();
    void PollKeys(const math::Vector2& p);
    void OnKeyPress(int code, const math::Vector2& p);
    void OnKeyRelease(int code, const math::Vector2& p);
    // A pointer event to the grab window, relative to its corner, or else to the root.
    void SendPointerEvent(Event::Type type, int button, const math::Vector2& p);
    // A key or a character to the focus windows, or to the root while there are none.
    void SendKeyEvent(const Event& event);
    void MovePointerTo(const core::ptr<Window>& window);

    static constexpr int kButtons = 3;
    static constexpr int kKeys = 256;

    int _button_states[kButtons] = {};
    int _key_states[kKeys] = {};
    bool _reloaded = false;
    std::deque<WindowList> _saved_childs;
    std::deque<Handlers> _saved_handlers;
    std::vector<std::string> _loaded_files;
    std::deque<std::vector<std::string>> _saved_files;
    std::vector<Window*> _keyboard_focus;
    int _tab_index = -1;
    core::ptr<Window> _tooltip;
    core::ptr<Window> _grab;
    math::Rect _grab_rect;
};

}  // namespace gui
