#pragma once

#include <list>
#include <map>
#include <string>
#include <vector>

#include "vantle/core/ptr.h"
#include "vantle/math/rect.h"
#include "vantle/math/vec2.h"

namespace gui {

class Window;

// The children of one window in z-order: the front is the topmost child, drawn last and updated first.
// Each child's id is made unique among its siblings when it is added. Walks that call into the children
// hold each child while they call it, so a child that loses its place meanwhile lives until its call
// returns.
class WindowList {
public:
    bool Empty() const { return list.empty(); }

    // Puts the window at the front, renaming it when a sibling already has its id.
    void Add(const core::ptr<Window>& w);
    // id itself when free; otherwise id, "_" and the list's counter, tried again until free. One counter
    // serves every id of the list and is never reset.
    std::string GenUniqId(const std::string& id);
    // Lets go of the child with the id; an unknown id removes nothing.
    void Remove(const std::string& id);
    // Empty when no child has the id.
    core::ptr<Window> Get(const std::string& id) const;
    // The topmost child under p (in the owner's frame, edges inclusive) that is visible and either enabled
    // or showing a disabled tooltip; a disabled child without one lets the pointer through.
    core::ptr<Window> Get(const math::Vector2& p) const;

    // Tab order over the whole subtree. FindNext: the window with the smallest tab stop above n; a child
    // with such a stop is taken without searching its children, any other child is searched.
    // FindPrev: the window with the largest tab stop below n; only children without a tab stop are
    // searched. Among equal stops the first met, front to back, wins. Empty when none qualifies.
    core::ptr<Window> FindNext(int n) const;
    core::ptr<Window> FindPrev(int n) const;
    // The shared pointer that holds w among the children or their descendants; empty when w is not there.
    core::ptr<Window> FindHeld(const Window* w) const;

    // Updates each visible child, front to back. Stops when a handler run meanwhile has loaded a screen
    // or cleared this list: the children left belong to a screen that is gone.
    void Update();
    // Draws each visible child, back to front.
    void Render();
    void CalcAbsRect(const math::Rect& parent_abs);
    void SetState(const std::string& name, unsigned int time);
    // Each child with its own switch time.
    void SetState(const std::string& name);
    void Reset();
    void PrepareHandlers();
    // Lets go of every child, front to back, logging each; the counter keeps its value.
    void Clear();
    // Trades children and counter with the other list without letting go of any; a walk over either
    // list stops as after Clear.
    void Swap(WindowList& other);

    WindowList() = default;
    ~WindowList() { Clear(); }
    // A copy shares the windows and the counter's value; it does not clone them.
    WindowList(const WindowList&) = default;
    WindowList& operator=(const WindowList&) = default;

private:
    // The children, front to back, each held for a walk that may run handlers.
    std::vector<core::ptr<Window>> Snapshot() const;
    void UpdateEach(const std::vector<core::ptr<Window>>& children);

    unsigned int counter = 1;
    std::list<core::ptr<Window>> list;
    std::map<std::string, core::ptr<Window>> ids;
    // Counts the Clear calls, so a walk can tell that the list it walks was emptied under it.
    unsigned int _clears = 0;
    // The copy each frame's update walks, kept so that the walk allocates nothing; a walk begun while
    // one runs makes its own. A copy of the list starts without one.
    struct WalkBuffer {
        WalkBuffer() = default;
        WalkBuffer(const WalkBuffer&) {}
        WalkBuffer& operator=(const WalkBuffer&) { return *this; }

        std::vector<core::ptr<Window>> children;
        bool busy = false;
    };
    WalkBuffer _update_walk;
};

}  // namespace gui
