#include "vantle/gui/widgets/progress.h"

#include <tinyxml.h>

#include <cmath>

#include "vantle/gui/widgets/text_attributes.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/render.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

core::ptr<render::Tile> ReadTile(TiXmlElement* element, const char* name) {
    TiXmlElement* child = element ? element->FirstChildElement(name) : nullptr;
    return child ? core::ptr<render::Tile>(new render::Tile(child)) : core::ptr<render::Tile>();
}

// Also takes a value that is not a number as 0.
float ClampToUnit(float value) {
    if (!(value > 0.0f)) return 0.0f;
    return value > 1.0f ? 1.0f : value;
}

}  // namespace

Progress::Progress(TiXmlElement* element) : DrawableWindow(element), core::Context::Link(element) {
    Load(element);
}

Progress::Progress(const std::string& id, const math::Rect& rect)
    : DrawableWindow(id, rect), vertical(rect.Width() < rect.Height()), bar_rect(rect) {}

Window* CreateProgress(TiXmlElement* element) {
    return new Progress(element);
}

void Progress::Register() {
    WindowFactory::instance()->Register("progress", &CreateProgress);
}

void Progress::Load(TiXmlElement* element) {
    vertical = rect.Width() < rect.Height();
    back = ReadTile(element, "back");
    front = ReadTile(element, "front");
    shadow = ReadTile(element, "shadow");
    if (front) front_texture_rect = front_shown_texture_rect = front->rect;
    animating = false;
    // Laid out empty: an animated bar may ignore its first value, and must not then show full.
    Show(0.0f);
    animation_time = xml::ReadFloat(element, "animation_time", 1.0f);
    StartEffect(element ? element->FirstChildElement("effect") : nullptr);
    OnUpdate();
}

void Progress::StartEffect(TiXmlElement* element) {
    const core::ptr<effects::Effect> loaded = LoadEffect(element);
    if (!loaded) return;
    effect = effects.StartEffectWithPuppy(loaded);
    has_effect = true;
}

void Progress::OnUpdate() {
    UpdateFromContext();
    const float value = ClampToUnit(GetValue().as_float());
    if (animation_time <= kJumpTime) {
        Show(value);
        return;
    }
    if (std::fabs(value - target_value) <= kIgnoredChange) return;
    target_value = value;
    animating = true;
    start_value = shown_value;
    start_time = utils::Timer::instance()->GetTime();
}

void Progress::Show(float value) {
    shown_value = value;
    bar_rect = rect;
    if (vertical) {
        bar_rect.top = rect.bottom - value * rect.Height();
        front_shown_texture_rect.top = front_texture_rect.bottom - value * front_texture_rect.Height();
    } else {
        bar_rect.right = rect.left + value * rect.Width();
        front_shown_texture_rect.right = front_texture_rect.left + value * front_texture_rect.Width();
    }
}

void Progress::Update() {
    const unsigned int now = utils::Timer::instance()->GetTime();
    if (animating) Animate(now);
    if (!has_effect) return;
    effect.MoveTo(MovingEnd());
    effects.Update();
}

void Progress::Animate(unsigned int now) {
    const float elapsed = float(now - start_time);
    float value = start_value + (elapsed / animation_time) * (target_value - start_value);
    // A step across the 0.01 window would otherwise carry the bar on past its target for ever.
    if (elapsed >= animation_time || std::fabs(target_value - value) <= kIgnoredChange) {
        value = target_value;
        animating = false;
    }
    Show(value);
}

math::Vector2 Progress::MovingEnd() const {
    if (vertical) return math::Vector2((bar_rect.left + bar_rect.right) * 0.5f, bar_rect.top);
    return math::Vector2(bar_rect.right, (bar_rect.top + bar_rect.bottom) * 0.5f);
}

void Progress::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    if (back) renderer.DrawRect(rect, *back);
    if (GetValue().as_float() > 0.0f) {
        if (front)
            renderer.DrawRect(bar_rect, front->color, front->GetTexturePointer(), front_shown_texture_rect);
        if (shadow) renderer.DrawRect(bar_rect, *shadow);
    }
    if (has_effect) effects.Render();
}

}  // namespace gui
