#include "vantle/gui/widgets/spin_box.h"

#include <limits>

#include "vantle/core/log.h"
#include "vantle/gui/style.h"
#include "vantle/gui/window_factory.h"
#include "vantle/render/scopes.h"
#include "vantle/xml/attributes.h"

namespace gui {

namespace {

// The size the value's text asks of the font.
constexpr unsigned int kTextSize = 10;
const char* const kFunctorArgumentKey = "$";

core::ptr<render::Tile> RedSquare() {
    core::ptr<render::Tile> tile(new render::Tile());
    tile->SetColor(render::Color("ff0000"));
    return tile;
}

}  // namespace

SpinBox::SpinBox(TiXmlElement* element)
    : ClickableWindow(element),
      core::Context::Link(element),
      left_tile(RedSquare()),
      right_tile(RedSquare()) {
    min = xml::ReadInt(element, "min", min);
    max = xml::ReadInt(element, "max", max);
    step = xml::ReadInt(element, "step", step);
    PlaceZones();
    if (style) font = style->font;
    if (!font)
        core::Log::instance()->Write("spinbox %s: no font in its style, the value is not shown", id.c_str());
}

SpinBox::SpinBox(const std::string& id, const math::Rect& rect)
    : ClickableWindow(id, rect), left_tile(RedSquare()), right_tile(RedSquare()) {
    PlaceZones();
}

Window* CreateSpinBox(TiXmlElement* element) {
    return new SpinBox(element);
}

void SpinBox::Register() {
    WindowFactory::instance()->Register("spinbox", &CreateSpinBox);
}

void SpinBox::PlaceZones() {
    const float w = rect.Width(), h = rect.Height();
    left_zone = math::Rect(0.0f, 0.0f, h, h);
    right_zone = math::Rect(w - h, 0.0f, w, h);
}

std::int32_t SpinBox::Step(std::int64_t delta, bool up) const {
    const std::int32_t value = GetValue().as_int32();
    const std::int64_t moved = value + delta;
    const bool passes = up ? moved > max : moved < min;
    if (passes || moved < std::numeric_limits<std::int32_t>::min() ||
        moved > std::numeric_limits<std::int32_t>::max()) {
        return value;
    }
    return static_cast<std::int32_t>(moved);
}

void SpinBox::OnClick(const math::Vector2& pos) {
    std::int32_t n;
    if (right_zone.Contains(pos)) {
        n = Step(step, true);
    } else if (left_zone.Contains(pos)) {
        n = Step(-static_cast<std::int64_t>(step), false);
    } else {
        return;
    }
    SetValue(core::Value(n));
    core::Context::instance()->Set(kFunctorArgumentKey, core::Value(n));
    CallHandler("on_change", n);
}

void SpinBox::Render() {
    RenderScope scope(*this);
    if (!scope) return;
    render::IRender& renderer = Renderer();
    renderer.DrawRect(rect, render::Tile());
    render::WorldMatrixScope moved(renderer, math::Translation(rect.TopLeft()));
    renderer.DrawRect(left_zone, *left_tile);
    renderer.DrawRect(right_zone, *right_tile);
    const std::string text = GetValue().as_string();
    if (text != shown_text) Show(text);
    if (!rendered_text) return;
    const math::Vector2 centred((rect.Width() - rendered_text->size.x) * 0.5f, 0.0f);
    render::WorldMatrixScope text_place(renderer, math::Translation(centred));
    renderer.DrawVertexBuffer(rendered_text->vertices, rendered_text->texture.get());
}

void SpinBox::Show(const std::string& text) {
    shown_text = text;
    rendered_text = core::ptr<render::IFont::RenderedText>();
    if (!text.empty() && font)
        rendered_text = font->RenderText(text, kTextSize, render::Color(0.0f, 0.0f, 0.0f, 1.0f));
}

}  // namespace gui
