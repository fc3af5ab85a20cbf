#include "vantle/gui/window_list.h"

#include <algorithm>
#include <utility>

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/gui/root_services.h"
#include "vantle/gui/window.h"

namespace gui {

namespace {

// Where the searches start: above every stop FindNext can find, below every stop.
constexpr int kNoNextTabStop = 9999999;
constexpr int kNoPrevTabStop = -1;

}  // namespace

void WindowList::Add(const core::ptr<Window>& w) {
    if (!w) return;
    list.push_front(w);
    const std::string unique = GenUniqId(w->GetId());
    if (unique != w->GetId()) w->SetId(unique);
    ids[unique] = w;
}

std::string WindowList::GenUniqId(const std::string& id) {
    std::string candidate = id;
    while (ids.count(candidate) != 0) candidate += "_" + core::unsigned2str(counter++);
    return candidate;
}

void WindowList::Remove(const std::string& id) {
    auto found = ids.find(id);
    if (found == ids.end()) return;
    // Held until both entries are gone: its destructor may reach back into this list.
    const core::ptr<Window> removed = found->second;
    ids.erase(found);
    // By identity rather than by id: the id is the window's own field and may have changed since.
    auto entry = std::find(list.begin(), list.end(), removed);
    if (entry != list.end()) list.erase(entry);
}

core::ptr<Window> WindowList::Get(const std::string& id) const {
    auto found = ids.find(id);
    return found != ids.end() ? found->second : core::ptr<Window>();
}

core::ptr<Window> WindowList::Get(const math::Vector2& p) const {
    for (const core::ptr<Window>& child : list) {
        if (!child || !child->IsVisible() || !child->IsUnderPoint(p)) continue;
        if (child->IsEnabled() || child->GetDisabledTooltip()) return child;
    }
    return core::ptr<Window>();
}

core::ptr<Window> WindowList::FindHeld(const Window* w) const {
    for (const core::ptr<Window>& child : list) {
        if (!child) continue;
        if (child.get() == w) return child;
        core::ptr<Window> inner = child->FindHeld(w);
        if (inner) return inner;
    }
    return core::ptr<Window>();
}

core::ptr<Window> WindowList::FindNext(int n) const {
    core::ptr<Window> best;
    int best_tab = kNoNextTabStop;
    for (const core::ptr<Window>& child : list) {
        if (!child) continue;
        const int t = child->GetTabStop();
        if (t >= 0 && t < best_tab && t > n) {
            best = child;
            best_tab = t;
            continue;
        }
        const core::ptr<Window> inner = child->FindNext(n);
        if (inner && inner->GetTabStop() < best_tab && inner->GetTabStop() > n) {
            best = inner;
            best_tab = inner->GetTabStop();
        }
    }
    return best;
}

core::ptr<Window> WindowList::FindPrev(int n) const {
    core::ptr<Window> best;
    int best_tab = kNoPrevTabStop;
    for (const core::ptr<Window>& child : list) {
        if (!child) continue;
        const int t = child->GetTabStop();
        if (t >= 0) {
            if (best_tab < t && t < n) {
                best = child;
                best_tab = t;
            }
            continue;
        }
        const core::ptr<Window> inner = child->FindPrev(n);
        if (inner && inner->GetTabStop() > best_tab && inner->GetTabStop() < n) {
            best = inner;
            best_tab = inner->GetTabStop();
        }
    }
    return best;
}

std::vector<core::ptr<Window>> WindowList::Snapshot() const {
    return std::vector<core::ptr<Window>>(list.begin(), list.end());
}

void WindowList::Update() {
    if (_update_walk.busy) {
        UpdateEach(Snapshot());
        return;
    }
    _update_walk.busy = true;
    _update_walk.children.assign(list.begin(), list.end());
    UpdateEach(_update_walk.children);
    // Let go at once: a window the walk held may have left the list.
    _update_walk.children.clear();
    _update_walk.busy = false;
}

void WindowList::UpdateEach(const std::vector<core::ptr<Window>>& children) {
    const unsigned int clears = _clears;
    const ReloadWatch reload;
    for (const core::ptr<Window>& child : children) {
        if (!child || !child->IsVisible()) continue;
        child->Update();
        if (_clears != clears || reload.Reloaded()) return;
    }
}

void WindowList::Render() {
    for (auto child = list.rbegin(); child != list.rend(); ++child) {
        if (*child && (*child)->IsVisible()) (*child)->Render();
    }
}

void WindowList::CalcAbsRect(const math::Rect& parent_abs) {
    for (const core::ptr<Window>& child : list) {
        if (child) child->CalcAbsRect(parent_abs);
    }
}

void WindowList::SetState(const std::string& name, unsigned int time) {
    for (const core::ptr<Window>& child : list) {
        if (child) child->SetState(name, time);
    }
}

void WindowList::SetState(const std::string& name) {
    for (const core::ptr<Window>& child : list) {
        if (child) child->SetState(name);
    }
}

void WindowList::Reset() {
    for (const core::ptr<Window>& child : list) {
        if (child) child->Reset();
    }
}

void WindowList::PrepareHandlers() {
    for (const core::ptr<Window>& child : list) {
        if (child) child->PrepareHandlers();
    }
}

void WindowList::Clear() {
    ++_clears;
    // Taken out first: a child's destructor may reach back into this list.
    std::list<core::ptr<Window>> doomed;
    doomed.swap(list);
    ids.clear();
    for (core::ptr<Window>& child : doomed) {
        if (child && core::Log::exists()) {
            core::Log::instance()->Write("WindowList:Clear delete child #%s (%i refs)",
                                         child->GetId().c_str(), child.use_count());
        }
        child.reset();
    }
}

void WindowList::Swap(WindowList& other) {
    ++_clears;
    ++other._clears;
    std::swap(counter, other.counter);
    list.swap(other.list);
    ids.swap(other.ids);
}

}  // namespace gui
