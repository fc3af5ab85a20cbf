#include "vantle/gui/widgets/number.h"

#include <cstdint>

#include "vantle/core/strutils.h"
#include "vantle/gui/widgets/text_attributes.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/font_cache.h"
#include "vantle/render/scopes.h"
#include "vantle/utils/timer.h"
#include "vantle/xml/attributes.h"

namespace gui {

Number::Number(TiXmlElement* element) : DrawableWindow(element), core::Context::Link(element) {
    LoadData(element);
}

Number::Number(const std::string& id, const math::Rect& rect, std::uint32_t value,
               const core::ptr<render::IFont>& font, float size, render::Render::TextAlign align)
    : DrawableWindow(id, rect), layout_rect(rect), font(font), align(align), size(size) {
    SetValue(core::Value(value));
}

Window* CreateNumber(TiXmlElement* element) {
    return new Number(element);
}

void Number::Register() {
    WindowFactory::instance()->Register("number", &CreateNumber);
}

void Number::LoadData(TiXmlElement* element) {
    roto_time = kDefaultRotoTime;
    start_value = shown_value = target_value = 0;
    running = false;
    layout_rect = rect;
    size = xml::ReadFloat(element, "size", size);
    roto_time = xml::ReadUnsigned(element, "roto_time", roto_time);
    if (xml::Has(element, "value")) {
        target_value = xml::ReadUnsigned(element, "value", 0);
        SetValue(core::Value(target_value));
    }
    align = ReadAlign(element);
    if (const char* name = xml::FindText(element, "font")) font = render::FontCache::instance()->Get(name);
}

void Number::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    const unsigned int now = utils::Timer::instance()->GetTime();
    const std::uint32_t value = GetValue().as_uint32();
    if (value == shown_value && !refresh) {
        running = false;
    } else {
        refresh = false;
        if (!running || value != target_value) StartRun(value, now);
        Advance(now);
        Prepare();
    }
    if (!rendered_text) return;
    render::IRender& renderer = Renderer();
    render::WorldMatrixScope moved(renderer, math::Translation(rect.TopLeft()));
    renderer.SetFilteringMode(render::IRender::FILTER_POINT);
    renderer.DrawVertexBuffer(rendered_text->vertices, rendered_text->texture.get());
    renderer.SetFilteringMode(render::IRender::FILTER_POINT);
}

void Number::StartRun(std::uint32_t target, unsigned int now) {
    run_start = now;
    start_value = shown_value;
    target_value = target;
    running = true;
}

void Number::Advance(unsigned int now) {
    const unsigned int elapsed = now - run_start;
    // Also spares a roto time of 0 its division, and keeps a long-stalled run's step in range.
    if (elapsed >= roto_time) {
        shown_value = target_value;
        return;
    }
    const std::int64_t distance = std::int64_t(target_value) - std::int64_t(start_value);
    const auto step = std::int64_t(float(elapsed) * float(distance) / float(roto_time));
    const std::int64_t shown = std::int64_t(start_value) + step;
    shown_value = shown < 0 ? 0 : std::uint32_t(shown);
    const bool past_rising = shown_value > target_value && target_value > start_value;
    const bool past_falling = shown_value < target_value && target_value < start_value;
    if (past_rising || past_falling) shown_value = target_value;
}

void Number::Prepare() {
    rendered_text = core::ptr<render::IFont::RenderedText>();
    if (!font) return;
    rendered_text = font->RenderText(core::unsigned2str(shown_value), FontSize(size), color);
    if (!rendered_text) return;
    const math::Vector2 figure = rendered_text->size;
    rect = layout_rect;
    rect.Resize(figure);
    if (align == render::Render::RIGHT) rect.MoveTo(rect.left - figure.x, rect.top);
    if (align == render::Render::CENTER) rect.Move(-figure.x * 0.5f, 0.0f);
}

}  // namespace gui
