#include "vantle/gui/root_services.h"

namespace gui {

namespace {

IRootServices* installed = nullptr;
unsigned int reloads = 0;

}  // namespace

void RootServices::SetImplementation(IRootServices* root) {
    installed = root;
}

IRootServices* RootServices::GetImplementation() {
    return installed;
}

void RootServices::SetTooltip(const core::ptr<Window>& tip, const math::Vector2& pos) {
    if (installed) installed->SetTooltip(tip, pos);
}

void RootServices::DisableTooltip() {
    if (installed) installed->DisableTooltip();
}

void RootServices::SetGrabMouse(const core::ptr<Window>& window, const math::Rect& rect) {
    if (installed) installed->SetGrabMouse(window, rect);
}

void RootServices::UnsetKeyboardFocus(Window* window) {
    if (installed) installed->UnsetKeyboardFocus(window);
}

void RootServices::CountReload() {
    ++reloads;
}

unsigned int RootServices::Reloads() {
    return reloads;
}

}  // namespace gui
