#include "vantle/gui/widgets/slider.h"

#include <tinyxml.h>

#include <algorithm>

#include "vantle/gui/event.h"
#include "vantle/gui/root_window.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/render.h"

namespace gui {

Slider::Slider(TiXmlElement* element) : DrawableWindow(element), core::Context::Link(element) {
    LoadBar(element, "front", front, front_rect);
    if (front) {
        front_texture_rect = front->rect;
        front_shown_texture_rect = front->rect;
    }
    LoadBar(element, "back", back, back_rect);
    has_knob = element && element->FirstChildElement("key");
    if (has_knob) LoadBar(element, "key", knob, knob_rect);
    PlaceBars();
    enabled = true;
    OnUpdate();
}

Slider::Slider(const std::string& id, const math::Rect& rect, const core::ptr<render::Tile>& front,
               const core::ptr<render::Tile>& back)
    : DrawableWindow(id, rect), front(front), back(back), front_rect(rect), back_rect(rect) {
    if (front) {
        front_texture_rect = front->rect;
        front_shown_texture_rect = front->rect;
    }
    enabled = true;
    OnUpdate();
}

Window* CreateSlider(TiXmlElement* element) {
    return new Slider(element);
}

void Slider::Register() {
    WindowFactory::instance()->Register("slider", &CreateSlider);
}

void Slider::LoadBar(TiXmlElement* element, const char* name, core::ptr<render::Tile>& tile, math::Rect& at) {
    TiXmlElement* child = element ? element->FirstChildElement(name) : nullptr;
    if (!child) return;
    tile = core::ptr<render::Tile>(new render::Tile(child));
    at = math::Rect(child);
}

void Slider::PlaceBars() {
    const float width = rect.Width();
    const float height = rect.Height();
    for (math::Rect* bar : {&front_rect, &back_rect}) {
        if (bar->Height() == 0.0f) *bar = rect;
        bar->right = bar->left + width;
        bar->MoveTo(rect.left, rect.top + (height - bar->Height()) * 0.5f);
    }
    if (!has_knob) return;
    knob_rect.MoveTo(front_rect.right - KnobWidth() * 0.5f, knob_rect.top);
    CentreKnob();
    for (math::Rect* bar : {&front_rect, &back_rect}) {
        bar->Move(KnobWidth() * 0.5f, 0.0f);
        bar->right -= KnobWidth();
    }
}

void Slider::CentreKnob() {
    knob_rect.MoveTo(knob_rect.left, rect.top + (rect.Height() - knob_rect.Height()) * 0.5f);
}

void Slider::OnUpdate() {
    const float v = std::min(1.0f, std::max(0.0f, GetValue().as_float()));
    front_shown_texture_rect.right = front_shown_texture_rect.left + v * front_texture_rect.Width();
    if (!has_knob) {
        front_rect.right = rect.left + v * rect.Width();
        return;
    }
    const float k = KnobWidth();
    front_rect.right = rect.left + k * 0.5f + v * (rect.Width() - k);
    knob_rect.MoveTo(front_rect.right - k * 0.5f, knob_rect.top);
    CentreKnob();
}

float Slider::ValueAt(float x) const {
    const float k = KnobWidth();
    return (x - k * 0.5f) / (rect.Width() - k);
}

void Slider::OnEvent(const Event& event) {
    switch (event.type) {
        case Event::MOUSE_DOWN:
            grab_on_press = true;
            grabbed = true;
            return;
        case Event::MOUSE_MOVE: {
            // A track of no width has no value under the pointer.
            if (!grabbed || !(rect.Width() - KnobWidth() > 0.0f)) return;
            const float v = ValueAt(event.pos.x);
            SetValue(core::Value(v));
            CallHandler("on_change", v);
            return;
        }
        case Event::MOUSE_UP:
            Release();
            return;
        case Event::MOUSE_LEAVE:
            grabbed = false;
            return;
        default:
            return;
    }
}

// Also after a leave: the grab this slider asked for must not outlive the button.
void Slider::Release() {
    if (grabbed || grab_on_press) {
        grab_on_press = false;
        RootWindow::instance()->ClearGrabMouse();
    }
    grabbed = false;
}

void Slider::Update() {
    front_rect.left = rect.left + KnobWidth() * 0.5f;
    front_rect.top = rect.top;
    Window::Update();
}

void Slider::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    renderer.SetFilteringMode(render::IRender::FILTER_UNSET);
    if (back) renderer.DrawRect(back_rect, *back);
    if (front && GetValue().as_float() > 0.0f) {
        renderer.DrawRect(front_rect, front->color, front->GetTexturePointer(), front_shown_texture_rect);
    }
    if (knob) renderer.DrawRect(knob_rect, *knob);
}

}  // namespace gui
