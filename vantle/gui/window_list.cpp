#include "vantle/gui/window_list.h"

#include "vantle/core/log.h"
#include "vantle/core/strutils.h"
#include "vantle/gui/window.h"

namespace gui {

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

core::ptr<Window> WindowList::Get(const std::string& id) const {
    auto found = ids.find(id);
    return found != ids.end() ? found->second : core::ptr<Window>();
}

std::vector<core::ptr<Window>> WindowList::Snapshot() const {
    return std::vector<core::ptr<Window>>(list.begin(), list.end());
}

void WindowList::Update() {
    const unsigned int clears = _clears;
    for (const core::ptr<Window>& child : Snapshot()) {
        if (!child || !child->IsVisible()) continue;
        child->Update();
        if (_clears != clears) return;
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

}  // namespace gui
