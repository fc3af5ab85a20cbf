#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "vantle/core/properties.h"
#include "vantle/core/ptr.h"
#include "vantle/core/value.h"
#include "vantle/gui/window_list.h"
#include "vantle/math/mat4.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"

class TiXmlElement;

namespace effects {
class Animation;
}

namespace render {
class IRender;
}

namespace script {
class IValue;
}

namespace gui {

struct Event;
class Style;

// The base of every element of the user interface. A window has an id unique among its siblings, a
// rectangle in its parent's frame, named states it moves between over time, a style, children that it
// owns, script handlers, a level-of-detail range and tooltips. Windows are held only through
// core::ptr<Window>. Times are milliseconds of the frame clock; units are the renderer's logical units.
//
// Handlers run synchronously and may load or clear the screen, which can release this very window:
// whoever calls into a window (an update, an event, a load) holds a core::ptr to it for the call.
class Window {
public:
    // A named look of the window: where it stands and how opaque it is.
    struct State {
        State() = default;
        State(const std::string& name, const math::Rect& rect, float alpha)
            : name(name), rect(rect), alpha(alpha) {}
        // "name", the geometry attributes as the rect, and "alpha".
        explicit State(TiXmlElement* element);
        // The in-between state a + t (b - a), edge by edge and for the alpha; it has no name.
        State(const State& a, const State& b, float t);

        std::string name;
        math::Rect rect;
        float alpha = 1.0f;
    };

    // Script code, or the name of a global script function; code wins when both are set.
    struct Handler {
        std::string code;
        std::string function;
    };

    Window(const std::string& id, const math::Rect& rect);
    // Reads the window element of a screen layout; child windows are left to subclasses (LoadChilds).
    explicit Window(TiXmlElement* element);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    virtual void Render();
    // The children, then "on_update", then the running state transition.
    virtual void Update();
    virtual void OnEvent(const Event& event);

    const std::string& GetId() const { return id; }
    // For the child list, which makes ids unique.
    void SetId(const std::string& new_id) { id = new_id; }
    bool IsVisible() const { return visible; }
    void SetVisible(bool flag) { visible = flag; }
    bool IsEnabled() const { return enabled; }
    void SetEnabled(bool flag) { enabled = flag; }
    // Negative: not in the tab order.
    std::int32_t GetTabStop() const { return tabstop; }
    // The tooltip shown while the window is enabled, and the one shown while it is not; either may be
    // empty.
    const core::ptr<Window>& GetTooltip() const { return tooltip; }
    const core::ptr<Window>& GetDisabledTooltip() const { return disabled_tooltip; }
    // Whether a press that a container passes on makes this window grab the mouse; read after the window
    // has handled the press.
    bool GrabsOnPress() const { return grab_on_press; }

    // Geometry. SetRect changes rect only.
    void SetRect(const math::Rect& r) { rect = r; }
    const math::Rect& GetRect() const { return rect; }
    const math::Rect& GetAbsRect() const { return abs_rect; }
    // abs_rect is rect moved by the parent's top-left corner in screen units; then the children's.
    void CalcAbsRect(const math::Rect& parent_abs);
    // p in the parent's frame, all edges inclusive; a coordinate that is not a number is never inside.
    bool IsUnderPoint(const math::Vector2& p) const;
    void SetContentTransform(const math::Matrix4& transform);

    // Children. AddChild ignores an empty pointer.
    void AddChild(const core::ptr<Window>& child);
    // Ids joined by "/": "tooltip" and "disabled_tooltip" name the tooltips; a trailing "/" is ignored.
    // Empty when a step is missing.
    core::ptr<Window> GetChild(const std::string& path) const;
    // The window elements under the element, made by the window factory. When skip_file is false and
    // the element names a "filename", that file is loaded instead and "on_load" runs.
    void LoadChilds(TiXmlElement* element, bool skip_file);
    // The windows under the root "gui" of a layout file, and the "handler" elements standing directly
    // under that root. A missing file gives nothing; a damaged one is logged and gives nothing.
    void LoadChilds(const std::string& file);
    void Clear();
    // The child list's tab order searches (WindowList::FindNext, FindPrev) over this window's subtree.
    core::ptr<Window> FindNext(int n) const;
    core::ptr<Window> FindPrev(int n) const;
    // The shared pointer that holds w in this window's subtree; empty when w is not there.
    core::ptr<Window> FindHeld(const Window* w) const;
    // Restarts the creation animation at the next draw, here and in every child.
    void Reset();

    // Moves to the named state over time ms (at once for 0), then passes the call to every child, which
    // may know the name when this window does not. The current state's name does nothing here.
    void SetState(const std::string& name, unsigned int time);
    void SetState(const std::string& name);

    // Script-visible properties; an unknown name is ignored, or reads as an unset value.
    void SetProperty(const std::string& name, const core::Value& value);
    core::Value GetProperty(const std::string& name) const;

    // Handlers by name. Setting the code keeps a function set earlier, and the other way round.
    void SetHandlerCode(const std::string& name, const std::string& code);
    void SetHandlerFunction(const std::string& name, const std::string& function);
    // The "handler" children of the element, in document order; later entries override what they set.
    void LoadHandlers(TiXmlElement* element);
    // Runs the named handler through the script engine; a name without a handler does nothing. Code sees
    // a value as $value; a function gets it as its argument (0 from the form without a value).
    void CallHandler(const std::string& name);
    void CallHandler(const std::string& name, float value);
    void CallHandler(const std::string& name, const std::string& value);
    void CallHandler(const std::string& name, int value);
    // After a screen is loaded: walks the tree. Handler code is only ever run by CallHandler.
    void PrepareHandlers();

protected:
    // Drawing subclasses call RenderStart first and draw only when it returns true, then call RenderEnd
    // (or hold a RenderScope, which does both). RenderStart applies the level of detail, the creation
    // animation, clipping, the content transform and the state's alpha; RenderEnd restores the
    // renderer's state as RenderStart found it.
    bool RenderStart();
    void RenderEnd();

    class RenderScope {
    public:
        explicit RenderScope(Window& window) : _window(window), _drawn(window.RenderStart()) {}
        ~RenderScope() {
            if (_drawn) _window.RenderEnd();
        }
        RenderScope(const RenderScope&) = delete;
        RenderScope& operator=(const RenderScope&) = delete;
        explicit operator bool() const { return _drawn; }

    private:
        Window& _window;
        bool _drawn;
    };

    // The children, in this window's frame.
    void RenderChilds();

    std::string id;
    math::Rect rect;
    math::Rect content_rect;
    math::Rect abs_rect;
    bool grab_on_press = false;
    unsigned int switch_time = kDefaultSwitchTime;
    unsigned int state_switch_time = kDefaultSwitchTime;
    bool switching = false;
    unsigned int switch_start = 0;
    State cur_state;
    State from_state;
    State to_state;
    std::map<std::string, State> states;
    core::Properties properties;
    std::int32_t tabstop = kNoTabStop;
    bool visible = true;
    bool enabled = false;
    bool clip = false;
    bool has_content_transform = false;
    math::Matrix4 content_transform;
    core::ptr<Style> style;
    WindowList childs;
    core::ptr<effects::Animation> create_animation;
    unsigned int create_animation_start = 0;
    bool create_animation_started = false;
    std::map<std::string, Handler> handlers;
    unsigned int lod = 0;
    unsigned int max_lod = kMaxLOD;
    // Built as "container" windows; the root window shows one while the pointer rests on this window.
    core::ptr<Window> tooltip;
    core::ptr<Window> disabled_tooltip;

    static constexpr unsigned int kDefaultSwitchTime = 1000;
    static constexpr std::int32_t kNoTabStop = -1;
    static constexpr unsigned int kMaxLOD = 10;

private:
    // The renderer state that one RenderStart set up, undone when it is destroyed.
    struct DrawState;

    void Load(TiXmlElement* element);
    void LoadCreateAnimation(TiXmlElement* element);
    void LoadStates(TiXmlElement* element);
    // The tooltip element built as a container.
    static core::ptr<Window> LoadTooltip(TiXmlElement* element);
    // "default" from the rect, replacing any state of that name, and shown.
    void InitDefaultState();
    // The window part of SetState.
    void SwitchOwnState(const std::string& name, unsigned int time);
    void AdvanceStateSwitch();
    void DrawCreateAnimation(render::IRender& renderer, DrawState& state);
    // A handler is copied before it runs, so it outlives a script that replaces it or this window.
    static void RunHandler(Handler handler, const core::ptr<script::IValue>& value, bool has_value);
    const Handler* FindHandler(const std::string& name) const;

    // One per RenderStart not yet ended, first ones first; those beyond the count wait for reuse.
    std::vector<std::unique_ptr<DrawState>> _draw_states;
    std::size_t _open_draw_states = 0;
};

}  // namespace gui
