#include <algorithm>

#include "vantle/core/log.h"
#include "vantle/gui/root_window.h"
#include "vantle/input/keyboard.h"
#include "vantle/input/mouse.h"

namespace gui {

namespace {

enum KeyCode {
    kTab = 9,
    kReturn = 13,
    kEscape = 27,
    kSpace = 32,
    kUp = 38,
    kDown = 40,
};

// The wrap-around starts of the tab order: below every stop, and above every stop in use.
constexpr int kBeforeFirstTabStop = -1;
constexpr int kAfterLastTabStop = 999999;

constexpr int kClickButton = 0;

bool Clicks(int code) {
    return code == kReturn || code == kSpace;
}

}  // namespace

void RootWindow::Update() {
    ReplayButtonChanges();
    input::Mouse* mouse = input::Mouse::instance();
    const math::Vector2 p(static_cast<float>(mouse->GetPositionX()),
                          static_cast<float>(mouse->GetPositionY()));
    // Off the window the position stays where the pointer left, which would keep that window hovered.
    if (mouse->IsInside() || _grab)
        PollPointer(p);
    else
        OnEvent(Event(Event::MOUSE_LEAVE));
    PollButtons(p);
    PollCharacters();
    PollKeys(p);
    Container::Update();
    _reloaded = false;
}

// A press and release between two samples, or a release followed by a move off the window, would be lost
// to the poll; each change is sent where it happened instead. A change the button states already show was
// seen by an earlier poll, so nothing is sent twice, and the poll after this still catches a change the
// mouse did not keep.
void RootWindow::ReplayButtonChanges() {
    for (const input::ButtonChange& change : input::Mouse::instance()->TakeButtonChanges()) {
        if (change.button < 0 || change.button >= kButtons) continue;
        if (change.down == (_button_states[change.button] != 0)) continue;
        const math::Vector2 at(static_cast<float>(change.x), static_cast<float>(change.y));
        PollPointer(at);
        _button_states[change.button] = change.down ? 1 : 0;
        SendPointerEvent(change.down ? Event::MOUSE_DOWN : Event::MOUSE_UP, change.button, at);
    }
}

void RootWindow::PollPointer(const math::Vector2& p) {
    const core::ptr<Window> grab = _grab;
    if (!grab) {
        OnEvent(Event(Event::MOUSE_MOVE, p, p));
        return;
    }
    // The grab window may have moved since the grab began.
    CalcAbsRect(math::Rect());
    _grab_rect = grab->GetAbsRect();
    const math::Vector2 q = p - _grab_rect.TopLeft();
    grab->OnEvent(Event(Event::MOUSE_MOVE, q, q));
}

void RootWindow::PollButtons(const math::Vector2& p) {
    input::Mouse* mouse = input::Mouse::instance();
    for (int button = 0; button < kButtons; ++button) {
        const bool down = mouse->GetButtonState(button) != 0;
        if (down == (_button_states[button] != 0)) continue;
        _button_states[button] = down ? 1 : 0;
        SendPointerEvent(down ? Event::MOUSE_DOWN : Event::MOUSE_UP, button, p);
    }
}

void RootWindow::SendPointerEvent(Event::Type type, int button, const math::Vector2& p) {
    const core::ptr<Window> grab = _grab;
    if (grab) {
        grab->OnEvent(Event(type, button, p - _grab_rect.TopLeft()));
    } else {
        OnEvent(Event(type, button, p));
    }
}

void RootWindow::PollCharacters() {
    for (char c : input::Keyboard::instance()->PopChars()) SendKeyEvent(Event(Event::CHAR, c));
}

void RootWindow::PollKeys(const math::Vector2& p) {
    input::Keyboard* keyboard = input::Keyboard::instance();
    for (int code = 0; code < kKeys; ++code) {
        const int state = keyboard->KeyState(code);
        if (state == _key_states[code]) continue;
        _key_states[code] = state;
        if (state != 0) {
            OnKeyPress(code, p);
        } else {
            OnKeyRelease(code, p);
        }
    }
}

void RootWindow::OnKeyPress(int code, const math::Vector2& p) {
    // The click goes to the window under the pointer even while another holds the grab.
    if (Clicks(code)) OnEvent(Event(Event::MOUSE_DOWN, kClickButton, p));
    core::Log::instance()->Write("KEYDOWN %i", code);
    SendKeyEvent(Event(Event::KEY_DOWN, code));
}

void RootWindow::OnKeyRelease(int code, const math::Vector2& p) {
    if (code == kTab || code == kDown) SwitchToNext();
    if (code == kUp) SwitchToPrev();
    if (Clicks(code)) OnEvent(Event(Event::MOUSE_UP, kClickButton, p));
    if (code == kEscape) CallHandler("on_esc");
    SendKeyEvent(Event(Event::KEY_UP, code));
}

// Over a copy of the list: a receiver may change the focus. A window that left the list meanwhile, or
// was destroyed (which takes it out), gets nothing. Each receiver is held while it runs: its handler may
// load another screen and let go of it.
void RootWindow::SendKeyEvent(const Event& event) {
    if (_keyboard_focus.empty()) {
        OnEvent(event);
        return;
    }
    const std::vector<Window*> receivers = _keyboard_focus;
    for (Window* window : receivers) {
        if (!window || !IsKeyboardFocus(window)) continue;
        const core::ptr<Window> held = FindHeld(window);
        window->OnEvent(event);
    }
    CleanupKeyboardFocus();
}

void RootWindow::SetKeyboardFocus(Window* window) {
    _keyboard_focus.assign(1, window);
}

void RootWindow::UnsetKeyboardFocus(Window* window) {
    auto found = std::find(_keyboard_focus.begin(), _keyboard_focus.end(), window);
    if (found != _keyboard_focus.end()) *found = nullptr;
}

bool RootWindow::IsKeyboardFocus(Window* window) const {
    return std::find(_keyboard_focus.begin(), _keyboard_focus.end(), window) != _keyboard_focus.end();
}

void RootWindow::CleanupKeyboardFocus() {
    _keyboard_focus.erase(std::remove(_keyboard_focus.begin(), _keyboard_focus.end(), nullptr),
                          _keyboard_focus.end());
}

void RootWindow::SwitchToNext() {
    core::ptr<Window> next = FindNext(_tab_index);
    if (!next) next = FindNext(kBeforeFirstTabStop);
    if (next) MovePointerTo(next);
}

void RootWindow::SwitchToPrev() {
    core::ptr<Window> previous = FindPrev(_tab_index);
    if (!previous) previous = FindPrev(kAfterLastTabStop);
    if (previous) MovePointerTo(previous);
}

// The next frame's move makes the window hovered, so that Return and Space click it.
void RootWindow::MovePointerTo(const core::ptr<Window>& window) {
    const math::Rect& r = window->GetAbsRect();
    input::Mouse::instance()->SetPosition(static_cast<int>((r.left + r.right) * 0.5f),
                                          static_cast<int>((r.top + r.bottom) * 0.5f));
    _tab_index = window->GetTabStop();
}

void RootWindow::SetTooltip(const core::ptr<Window>& tip, const math::Vector2& pos) {
    const bool shown_anew = !_tooltip || !tip || _tooltip.get() != tip.get();
    if (shown_anew) _tooltip = tip;
    if (!_tooltip) return;
    math::Rect r = _tooltip->GetRect();
    r.MoveTo(pos.x, pos.y);
    if (r.right > rect.right) r.Move(-r.Width(), -r.Height());
    if (r.top < 0) r.Move(0, r.Height());
    _tooltip->SetRect(r);
    if (shown_anew) _tooltip->Reset();
}

void RootWindow::DisableTooltip() {
    _tooltip.reset();
}

void RootWindow::SetGrabMouse(const core::ptr<Window>& window, const math::Rect& area) {
    _grab = window;
    _grab_rect = area;
}

void RootWindow::ClearGrabMouse() {
    _grab.reset();
}

}  // namespace gui
